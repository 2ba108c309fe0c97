#pragma once
// The text of a point file: decoded to UTF-8, cut into lines and fields.
#include <string>
#include <string_view>
#include <vector>

#include "import/import_style.h"

namespace linvara::import {

// The file's bytes as UTF-8 without a byte-order mark. Auto: a UTF-8 BOM or
// bytes that are valid UTF-8 mean UTF-8, anything else is GB18030. Invalid
// bytes become U+FFFD.
std::string DecodeText(std::string_view bytes, Encoding encoding);

// The delimiter of a line for Delimiter::Auto: tab, comma, semicolon, else spaces.
Delimiter DetectDelimiter(std::string_view line);

// The fields of one line, each trimmed of surrounding white space. Runs of
// spaces give no empty fields; single spaces do. With comma, semicolon or tab
// a field that starts with a double quote is quoted as CSV files quote (""
// inside is a quote) and read whole, delimiters included; a quote elsewhere
// in a field is an ordinary character. Returns why the line cannot be split
// (a quote that does not close, text after the closing quote), else empty:
// such a line would lose part of a field whichever way it was read.
std::string SplitFields(std::string_view line, Delimiter delimiter, std::vector<std::string_view>& fields,
                        std::string& unquoted);

// Walks the lines of a text (LF, CR LF or CR), numbering them from 1.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}
    bool Next(std::string_view& line);
    int Number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

}  // namespace linvara::import
