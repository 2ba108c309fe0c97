#include "import/import_style.h"

#include <algorithm>
#include <charconv>

#include "model/code_tables.h"
#include "model/dh_point.h"
#include "text/format.h"

namespace linvara::import {
namespace {

struct ColumnName {
    Column column;
    const char* word;
    const char* label;
};

constexpr ColumnName kColumns[] = {
    {Column::Name, "name", "点名"},     {Column::Code, "code", "编码"},
    {Column::North, "x", "北坐标x"},    {Column::East, "y", "东坐标y"},
    {Column::Height, "h", "高程h"},     {Column::Latitude, "lat", "纬度"},
    {Column::Longitude, "lon", "经度"}, {Column::Skip, "skip", "忽略"},
};

constexpr std::pair<Delimiter, const char*> kDelimiters[] = {
    {Delimiter::Auto, "auto"}, {Delimiter::Comma, "comma"},   {Delimiter::Semicolon, "semicolon"},
    {Delimiter::Tab, "tab"},   {Delimiter::Spaces, "space"}, {Delimiter::SingleSpace, "single-space"},
};

constexpr std::pair<Encoding, const char*> kEncodings[] = {
    {Encoding::Auto, "auto"}, {Encoding::Utf8, "utf-8"}, {Encoding::Gb18030, "gb18030"}};

template <typename T, std::size_t N>
const char* WordOf(const std::pair<T, const char*> (&table)[N], T value) {
    for (const auto& [v, word] : table)
        if (v == value) return word;
    return "";
}

template <typename T, std::size_t N>
std::vector<std::string> WordsOf(const std::pair<T, const char*> (&table)[N]) {
    std::vector<std::string> words;
    for (const auto& entry : table) words.emplace_back(entry.second);
    return words;
}

template <typename T, std::size_t N>
bool ParseWord(const std::pair<T, const char*> (&table)[N], std::string_view word, T& value) {
    for (const auto& [v, w] : table)
        if (word == w) {
            value = v;
            return true;
        }
    return false;
}

bool Has(std::span<const Column> columns, Column c) { return std::ranges::find(columns, c) != columns.end(); }

// The code table whose codes a kind's feature takes; empty for the stakes.
std::span<const CodeName> FeatureTable(int kind) {
    switch (kind) {
        case AuxPoint: return PointCodeTable();
        case CrossingOnePoint: return CrossingObjectTable();
        case FeatureOnePoint:
        case FeatureTwoPoint:
        case HouseThreePoint: return FeatureClassTable();
        default: return {};
    }
}

std::string CheckCodeKinds(const std::vector<CodeKind>& codeKinds) {
    for (std::size_t i = 0; i < codeKinds.size(); ++i) {
        const CodeKind& c = codeKinds[i];
        if (c.kind < JStake || c.kind > HouseThreePoint) return text::Format("编码%s的点类型%d不存在", c.code.c_str(), c.kind);
        if (c.feature != 0 && IndexOfCode(FeatureTable(c.kind), c.feature) < 0)
            return text::Format("编码%s的地物编码%d不在%s的代码表中", c.code.c_str(), c.feature, DHTypeName(c.kind));
        for (std::size_t j = 0; j < i; ++j)
            if (codeKinds[j].code == c.code) return "编码重复：" + c.code;
    }
    return {};
}

}  // namespace

const char* ColumnWord(Column column) {
    for (const ColumnName& c : kColumns)
        if (c.column == column) return c.word;
    return "";
}

const char* ColumnLabel(Column column) {
    for (const ColumnName& c : kColumns)
        if (c.column == column) return c.label;
    return "";
}

bool ParseColumnList(std::string_view list, std::vector<Column>& columns, std::string& error) {
    columns.clear();
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string word = text::Trim(list.substr(0, comma));
        const auto found = std::ranges::find_if(kColumns, [&](const ColumnName& c) { return word == c.word; });
        if (found == std::end(kColumns)) {
            error = "未知的列：" + word + "（可用 " + ColumnWordsText() + "）";
            return false;
        }
        columns.push_back(found->column);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    error = CheckColumns(columns);
    return error.empty();
}

std::string ColumnWordsText() {
    std::vector<Column> all;
    for (const ColumnName& c : kColumns) all.push_back(c.column);
    return ColumnListText(all);
}

std::string ColumnListText(std::span<const Column> columns) {
    std::string out;
    for (Column c : columns) {
        if (!out.empty()) out += ',';
        out += ColumnWord(c);
    }
    return out;
}

const char* DelimiterWord(Delimiter delimiter) { return WordOf(kDelimiters, delimiter); }
bool ParseDelimiter(std::string_view word, Delimiter& delimiter) { return ParseWord(kDelimiters, word, delimiter); }
std::vector<std::string> DelimiterWords() { return WordsOf(kDelimiters); }
const char* EncodingWord(Encoding encoding) { return WordOf(kEncodings, encoding); }
bool ParseEncoding(std::string_view word, Encoding& encoding) { return ParseWord(kEncodings, word, encoding); }
std::vector<std::string> EncodingWords() { return WordsOf(kEncodings); }

std::string CheckColumns(std::span<const Column> columns) {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i] != Column::Skip && std::find(columns.begin(), columns.begin() + i, columns[i]) != columns.begin() + i)
            return text::Format("列%s出现了两次", ColumnLabel(columns[i]));
    if (!Has(columns, Column::Name)) return "没有点名列";
    const bool plane = Has(columns, Column::North) && Has(columns, Column::East);
    const bool geographic = Has(columns, Column::Latitude) && Has(columns, Column::Longitude);
    if (!plane && !geographic) return "没有北、东坐标列，也没有纬度、经度列";
    return {};
}

std::string CheckStyle(const ImportStyle& style) {
    if (!style.FromHeader()) {
        std::string columns = CheckColumns(style.columns);
        if (!columns.empty()) return columns;
    }
    if (style.skipLines < 0) return "跳过的行数不能为负";
    if (style.kindRule == KindRule::NamePrefixes) {
        if (style.jPrefix.empty() || style.zPrefix.empty()) return "J桩和Z桩的点名前缀不能为空";
        if (style.jPrefix == style.zPrefix) return "J桩和Z桩的点名前缀不能相同";
        return {};
    }
    if (!style.FromHeader() && !Has(style.columns, Column::Code)) return "按编码定点类型，但没有编码列";
    return CheckCodeKinds(style.codeKinds);
}

bool ResolveFeature(int kind, std::string_view text, int& feature) {
    const std::span<const CodeName> table = FeatureTable(kind);
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc() && end == text.data() + text.size()) {
        if (number != 0 && IndexOfCode(table, number) < 0) return false;
        feature = number;
        return true;
    }
    for (const CodeName& row : table)
        if (text == row.name) {
            feature = row.code;
            return true;
        }
    return false;
}

}  // namespace linvara::import
