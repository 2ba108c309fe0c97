#pragma once
// How a text file of points is read: the column order, the delimiter, the
// header lines to skip, the text encoding and how a point's kind is decided.
// A plain value, so the desktop program can keep styles by name
// (import/style_text.h gives it a small text form).
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace linvara::import {

enum class Column { Name, Code, North, East, Height, Latitude, Longitude, Skip };

enum class Delimiter {
    Auto,         // the first line decides: tab, comma, semicolon, else runs of spaces
    Comma,
    Semicolon,
    Tab,
    Spaces,       // runs of spaces and tabs
    SingleSpace,  // exactly one space, empty fields kept (our "-sp" result kinds)
};

enum class Encoding { Auto, Utf8, Gb18030 };

enum class KindRule {
    NamePrefixes,  // <J prefix><digits> J stake, <Z prefix><digits> Z stake, the rest detail points
    CodeMap,       // the code column names the kind; a code outside the map is a bad line
};

// One code of a mapped code column: its kind and the feature code the kind
// carries (crossed object for kind 3, feature class for 4-6, point code for
// an auxiliary point; 0 for stakes).
struct CodeKind {
    std::string code;
    int kind = 2;
    int feature = 0;
    bool operator==(const CodeKind&) const = default;
};

struct ImportStyle {
    std::string name;
    std::vector<Column> columns;  // empty: found from the header row
    Delimiter delimiter = Delimiter::Auto;
    int skipLines = 0;            // before the header row, if any, and the data
    Encoding encoding = Encoding::Auto;
    KindRule kindRule = KindRule::NamePrefixes;
    std::string jPrefix = "J";
    std::string zPrefix = "Z";
    std::vector<CodeKind> codeKinds;

    bool FromHeader() const { return columns.empty(); }
    bool operator==(const ImportStyle&) const = default;
};

// The built-in styles: "cass", "header" and the result kinds 0-5 by their
// command-line names ("pn-pc-y-x-h" ...), so our own files import back.
std::span<const ImportStyle> BuiltInStyles();
const ImportStyle* FindBuiltInStyle(std::string_view name);

// Column lists as the command line writes them: "name,code,x,y,h,lat,lon,skip".
bool ParseColumnList(std::string_view list, std::vector<Column>& columns, std::string& error);
std::string ColumnListText(std::span<const Column> columns);
const char* ColumnWord(Column column);
// "name,code,x,y,h,lat,lon,skip": the words of every column.
std::string ColumnWordsText();
// The column's Chinese label for messages ("北坐标x" ...).
const char* ColumnLabel(Column column);

// "auto", "comma", "semicolon", "tab", "space", "single-space".
const char* DelimiterWord(Delimiter delimiter);
bool ParseDelimiter(std::string_view word, Delimiter& delimiter);
std::vector<std::string> DelimiterWords();
// "auto", "utf-8", "gb18030".
const char* EncodingWord(Encoding encoding);
bool ParseEncoding(std::string_view word, Encoding& encoding);
std::vector<std::string> EncodingWords();

// Why the columns cannot give points (no name column, neither plane nor
// geographic coordinates, a column twice), or empty.
std::string CheckColumns(std::span<const Column> columns);
// Why the style cannot be used (its columns, empty prefixes, a mapped code
// twice or with a kind or feature the code tables lack), or empty.
std::string CheckStyle(const ImportStyle& style);

// The feature code `text` (a number, or a name of the kind's code table)
// stands for with `kind`; false when the kind's table has no such row.
bool ResolveFeature(int kind, std::string_view text, int& feature);

}  // namespace linvara::import
