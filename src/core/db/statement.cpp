#include "db/statement.h"

#include <sqlite3.h>

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::sql {
namespace {

// No name, code or note of a survey comes near this; a file that holds a
// longer value (ten megabytes of name) is cut here, so that no list, plan
// or output has to carry it. The cut keeps whole UTF-8 characters.
constexpr std::size_t kMaxValueBytes = 16 * 1024;

std::string_view Bounded(const char* data, int bytes) {
    if (data == nullptr || bytes <= 0) return {};
    std::size_t size = static_cast<std::size_t>(bytes);
    if (size > kMaxValueBytes) {
        size = kMaxValueBytes;
        while (size > 0 && (static_cast<unsigned char>(data[size]) & 0xC0) == 0x80) --size;
    }
    return {data, size};
}

}  // namespace

Statement::Statement(SQLite::Database& db, const char* statement) : db_(db) {
    const int rc = sqlite3_prepare_v2(db.getHandle(), statement, -1, &statement_, nullptr);
    if (rc != SQLITE_OK) Fail(rc);
    texts_.resize(static_cast<std::size_t>(sqlite3_bind_parameter_count(statement_)));
}

Statement::~Statement() { sqlite3_finalize(statement_); }

void Statement::Fail(int code) const { throw SQLite::Exception(db_.getHandle(), code); }

bool Statement::Step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Fail(rc);
    return false;
}

int Statement::ColumnCount() const { return sqlite3_column_count(statement_); }

const char* Statement::ColumnName(int column) const { return sqlite3_column_name(statement_, column); }

std::string_view Statement::Bytes(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return Bounded(data, sqlite3_column_bytes(statement_, column));
}

int Statement::Int(int column) const { return sqlite3_column_int(statement_, column); }

double Statement::Real(int column) const { return sqlite3_column_double(statement_, column); }
long long Statement::Int64(int column) const { return sqlite3_column_int64(statement_, column); }
int Statement::Type(int column) const { return sqlite3_column_type(statement_, column); }

sql::Value Statement::Value(int column) const { return sql::Value(sqlite3_column_value(statement_, column)); }

int Value::Type() const { return sqlite3_value_type(value_); }

std::string_view Value::Bytes() const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    return Bounded(data, sqlite3_value_bytes(value_));
}

int Value::Int() const { return sqlite3_value_int(value_); }
long long Value::Int64() const { return sqlite3_value_int64(value_); }
double Value::Real() const { return sqlite3_value_double(value_); }

int NamedColumns::operator()(const char* name) const {
    const int count = query_.ColumnCount();
    for (int i = 0; i < count; ++i)
        if (std::string_view(query_.ColumnName(i)) == name) return i;
    throw SQLite::Exception(std::string("no column named ") + name);
}

Binder::Binder(Statement& statement) : statement_(statement) { sqlite3_reset(statement_.statement_); }

std::string& Binder::NextText() {
    if (static_cast<std::size_t>(index_) >= statement_.texts_.size())
        throw SQLite::Exception("more values than the statement has parameters", SQLITE_RANGE);
    return statement_.texts_[static_cast<std::size_t>(index_)];
}

// The text lives in the statement's own buffer until this parameter is bound
// again, so SQLite may keep a pointer to it instead of a copy.
void Binder::BindText() {
    const std::string& value = NextText();
    lastText_ = index_;
    const int rc = sqlite3_bind_text(statement_.statement_, ++index_, value.data(), static_cast<int>(value.size()),
                                     SQLITE_STATIC);
    if (rc != SQLITE_OK) statement_.Fail(rc);
}

Binder& Binder::Text(std::string_view utf8) {
    if (text::IsAscii(utf8))
        NextText().assign(utf8);
    else
        NextText() = text::Utf8ToGb18030(utf8);
    BindText();
    return *this;
}

Binder& Binder::Raw(std::string_view bytes) {
    NextText().assign(bytes);
    BindText();
    return *this;
}

Binder& Binder::Int(int value) {
    const int rc = sqlite3_bind_int(statement_.statement_, ++index_, value);
    if (rc != SQLITE_OK) statement_.Fail(rc);
    return *this;
}

Binder& Binder::Real(double value, int decimals) {
    lastReal_ = text::RoundAsPrinted(value, decimals);
    const int rc = sqlite3_bind_double(statement_.statement_, ++index_, lastReal_);
    if (rc != SQLITE_OK) statement_.Fail(rc);
    return *this;
}

Binder& Binder::Printed(double value, int decimals) {
    NextText().clear();
    text::AppendFormat(NextText(), "%.*f", decimals, value);
    BindText();
    return *this;
}

std::string_view Binder::LastText() const {
    return lastText_ < 0 ? std::string_view() : std::string_view(statement_.texts_[static_cast<std::size_t>(lastText_)]);
}

void Binder::Run() {
    if (index_ != static_cast<int>(statement_.texts_.size()))
        throw SQLite::Exception("a parameter of the statement is left unbound", SQLITE_RANGE);
    statement_.Step();
}

}  // namespace linvara::sql
