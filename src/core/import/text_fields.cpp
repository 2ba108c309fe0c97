#include "import/text_fields.h"

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::import {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsUtf8(std::string_view bytes) { return text::IsAscii(bytes) || text::SanitizeUtf8(bytes) == bytes; }

char DelimiterChar(Delimiter d) {
    switch (d) {
        case Delimiter::Semicolon: return ';';
        case Delimiter::Tab: return '\t';
        case Delimiter::SingleSpace: return ' ';
        default: return ',';
    }
}

void SplitRuns(std::string_view line, std::vector<std::string_view>& fields) {
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) return;
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) ++i;
        fields.push_back(line.substr(start, i - start));
    }
}

// A quoted field is copied out without its quotes into `unquoted`, which is
// reserved beforehand so that earlier views into it stay valid. Returns the
// position of the delimiter after it (the line's end for the last field), or
// npos with `error` set when the quote does not close or text follows it.
std::size_t QuotedField(std::string_view line, std::size_t i, char sep, std::vector<std::string_view>& fields,
                        std::string& unquoted, std::string& error) {
    const std::size_t number = fields.size() + 1;
    const std::size_t start = unquoted.size();
    bool closed = false;
    for (++i; i < line.size() && !closed; ++i) {
        if (line[i] != '"') unquoted += line[i];
        else if (i + 1 < line.size() && line[i + 1] == '"') unquoted += line[++i];
        else closed = true;
    }
    if (!closed) {
        error = text::Format("第%zu个字段的引号没有闭合", number);
        return std::string_view::npos;
    }
    fields.push_back(std::string_view(unquoted).substr(start));
    std::size_t end = line.find(sep, i);
    if (end == std::string_view::npos) end = line.size();
    const std::string_view after = TrimView(line.substr(i, end - i));
    if (after.empty()) return end;
    error = text::Format("第%zu个字段的结束引号后还有文字：“%.*s”", number, static_cast<int>(after.size()), after.data());
    return std::string_view::npos;
}

}  // namespace

std::string DecodeText(std::string_view bytes, Encoding encoding) {
    const bool bom = bytes.starts_with(kUtf8Bom);
    if (bom) bytes.remove_prefix(kUtf8Bom.size());
    if (encoding == Encoding::Gb18030 && !bom) return text::Gb18030ToUtf8(bytes);
    if (encoding == Encoding::Auto && !bom && !IsUtf8(bytes)) return text::Gb18030ToUtf8(bytes);
    return text::SanitizeUtf8(bytes);
}

Delimiter DetectDelimiter(std::string_view line) {
    if (line.find('\t') != std::string_view::npos) return Delimiter::Tab;
    if (line.find(',') != std::string_view::npos) return Delimiter::Comma;
    if (line.find(';') != std::string_view::npos) return Delimiter::Semicolon;
    return Delimiter::Spaces;
}

std::string SplitFields(std::string_view line, Delimiter delimiter, std::vector<std::string_view>& fields,
                        std::string& unquoted) {
    fields.clear();
    unquoted.clear();
    if (delimiter == Delimiter::Auto) delimiter = DetectDelimiter(line);
    if (delimiter == Delimiter::Spaces) {
        SplitRuns(line, fields);
        return {};
    }
    const char sep = DelimiterChar(delimiter);
    const bool quotes = delimiter != Delimiter::SingleSpace;
    if (quotes) unquoted.reserve(line.size());
    std::string error;
    std::size_t i = 0;
    while (true) {
        const std::size_t start = i;
        while (quotes && i < line.size() && line[i] == ' ') ++i;
        std::size_t end;
        if (quotes && i < line.size() && line[i] == '"') {
            end = QuotedField(line, i, sep, fields, unquoted, error);
            if (!error.empty()) return error;
        } else {
            end = line.find(sep, start);
            if (end == std::string_view::npos) end = line.size();
            fields.push_back(TrimView(line.substr(start, end - start)));
        }
        if (end >= line.size()) return {};
        i = end + 1;
    }
}

bool LineCursor::Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find_first_of("\r\n");
    line = rest_.substr(0, end);
    ++number_;
    if (end == std::string_view::npos) {
        rest_ = {};
    } else {
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
    }
    return true;
}

}  // namespace linvara::import
