#include "import/style_text.h"

#include <charconv>

#include "text/format.h"
#include "text/text_file.h"

namespace linvara::import {
namespace {

bool ParseInt(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool ApplyLine(std::string_view key, std::string_view value, ImportStyle& style, std::string& cause) {
    if (key == "name") style.name = std::string(value);
    else if (key == "columns") {
        if (value == "header") style.columns.clear();
        else return ParseColumnList(value, style.columns, cause);
    } else if (key == "delimiter") {
        if (!ParseDelimiter(value, style.delimiter)) cause = "未知的分隔符";
    } else if (key == "skip-lines") {
        if (!ParseInt(value, style.skipLines) || style.skipLines < 0) cause = "跳过的行数不是非负整数";
    } else if (key == "encoding") {
        if (!ParseEncoding(value, style.encoding)) cause = "未知的编码方式";
    } else if (key == "kinds") {
        if (value == "names") style.kindRule = KindRule::NamePrefixes;
        else if (value == "codes") style.kindRule = KindRule::CodeMap;
        else cause = "点类型规则只能是 names 或 codes";
    } else if (key == "j-prefix") style.jPrefix = std::string(value);
    else if (key == "z-prefix") style.zPrefix = std::string(value);
    else if (key == "code") {
        CodeKind c;
        if (ParseCodeKind(value, c)) style.codeKinds.push_back(std::move(c));
        else cause = "编码行应为“点类型,地物编码,编码”，地物编码须在代码表中";
    } else cause = "未知的项：" + std::string(key);
    return cause.empty();
}

}  // namespace

bool ParseCodeKind(std::string_view line, CodeKind& code) {
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
    if (second == std::string_view::npos) return false;
    CodeKind read;
    read.code = text::Trim(line.substr(second + 1));
    if (read.code.empty() || !ParseInt(text::Trim(line.substr(0, first)), read.kind) ||
        !ResolveFeature(read.kind, text::Trim(line.substr(first + 1, second - first - 1)), read.feature))
        return false;
    code = std::move(read);
    return true;
}

std::string CodeKindText(const CodeKind& code) { return text::Format("%d,%d,%s", code.kind, code.feature, code.code.c_str()); }

std::string StyleToText(const ImportStyle& style) {
    std::string out = "name=" + style.name + "\n";
    out += "columns=" + (style.FromHeader() ? std::string("header") : ColumnListText(style.columns)) + "\n";
    out += std::string("delimiter=") + DelimiterWord(style.delimiter) + "\n";
    out += "skip-lines=" + std::to_string(style.skipLines) + "\n";
    out += std::string("encoding=") + EncodingWord(style.encoding) + "\n";
    out += std::string("kinds=") + (style.kindRule == KindRule::CodeMap ? "codes" : "names") + "\n";
    out += "j-prefix=" + style.jPrefix + "\nz-prefix=" + style.zPrefix + "\n";
    for (const CodeKind& c : style.codeKinds) out += "code=" + CodeKindText(c) + "\n";
    return out;
}

bool StyleFromText(std::string_view text, ImportStyle& style, std::string& error) {
    style = ImportStyle{};
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (text::Trim(line).empty() || line.front() == '#') continue;
        const std::size_t eq = line.find('=');
        std::string cause = eq == std::string_view::npos ? "缺少“=”" : "";
        if (cause.empty()) ApplyLine(text::Trim(line.substr(0, eq)), line.substr(eq + 1), style, cause);
        if (!cause.empty()) {
            error = text::Format("样式第%d行：%s", lineNumber, cause.c_str());
            return false;
        }
    }
    error = CheckStyle(style);
    return error.empty();
}

bool StyleFromFile(const std::string& path, ImportStyle& style, std::string& error) {
    text::TextFile file;
    if (const auto bad = text::ReadTextFile(path, file)) {
        error = bad->line > 0 ? text::ProblemText(*bad) : std::string();  // an unreadable file: the caller names it
        return false;
    }
    return StyleFromText(file.text, style, error);
}

}  // namespace linvara::import
