#include "db/db_detail.h"

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::db_detail {

int NamedColumns::operator()(const char* name) const {
    const int count = query_.getColumnCount();
    for (int i = 0; i < count; ++i)
        if (std::string_view(query_.getColumnName(i)) == name) return i;
    throw SQLite::Exception(std::string("no column named ") + name);
}

std::string RawText(const SQLite::Column& column) {
    return column.isNull() ? std::string() : column.getString();
}

std::string GbText(const SQLite::Column& column) { return text::Gb18030ToUtf8(RawText(column)); }

std::string Utf8Text(const SQLite::Column& column) { return text::SanitizeUtf8(RawText(column)); }

Binder::Binder(SQLite::Statement& statement) : statement_(statement) {
    statement_.reset();
    statement_.clearBindings();
}

Binder& Binder::Text(const std::string& utf8) {
    statement_.bind(++index_, text::Utf8ToGb18030(utf8));
    return *this;
}

Binder& Binder::Raw(const std::string& bytes) {
    statement_.bind(++index_, bytes);
    return *this;
}

Binder& Binder::Int(int value) {
    statement_.bind(++index_, value);
    return *this;
}

Binder& Binder::Real(double value, int decimals) {
    statement_.bind(++index_, text::RoundAsPrinted(value, decimals));
    return *this;
}

Binder& Binder::Printed(double value, int decimals) {
    statement_.bind(++index_, text::Format("%.*f", decimals, value));
    return *this;
}

bool IsPlainIdentifier(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

}  // namespace linvara::db_detail
