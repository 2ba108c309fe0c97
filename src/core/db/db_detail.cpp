#include "db/db_detail.h"

#include "text/encoding.h"

namespace linvara::db_detail {

std::string RawText(const sql::Statement& q, int column) { return std::string(q.Bytes(column)); }

std::string GbText(const sql::Statement& q, int column) { return text::Gb18030ToUtf8(q.Bytes(column)); }

std::string Utf8Text(const sql::Statement& q, int column) { return text::SanitizeUtf8(q.Bytes(column)); }

std::string StoredText(std::string_view utf8) {
    return text::IsAscii(utf8) ? std::string(utf8) : text::Utf8ToGb18030(utf8);
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
