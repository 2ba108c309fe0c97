#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace linvara::text {

// The system cannot convert between UTF-8 and the ANSI code page (its iconv
// lacks the converter). what() is the short Chinese cause, e.g.
// "无法打开编码转换（UTF-8 → GB18030）：Invalid argument".
class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// GB18030 is the "ANSI code page" of the working tables and the code page of
// every text output: byte-identical to GBK for every GBK character and
// lossless for the rest. Invalid bytes become U+FFFD (or "?" when encoding)
// and never throw; a text that needs a converter the system lacks throws
// EncodingError rather than passing through unconverted. ASCII text needs
// no converter.
std::string Gb18030ToUtf8(std::string_view bytes);
std::string Utf8ToGb18030(std::string_view utf8);

// Throws EncodingError unless both directions can be converted: writers of
// several files call it before writing the first.
void RequireAnsiConverters();

// Tests only: converts with the code page `name` (a string literal) instead
// of GB18030, so a name iconv does not know fails as a system without the
// converter would; nullptr restores GB18030.
void SetAnsiCodePageForTesting(const char* name);

// Replaces every invalid UTF-8 sequence by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

// True when every byte is below 0x80 (no conversion needed either way).
bool IsAscii(std::string_view bytes);

}  // namespace linvara::text

namespace linvara::text {
// Turns every "\n" into "\r\n", as a text-mode stream on the collectors' and
// design package's platform writes it.
std::string LfToCrLf(std::string_view text);
// The text files the system writes: UTF-8 lines ended by "\n" become GB18030
// (GBK for every GBK character) with CR LF line ends.
std::string ToGbkTextFile(std::string_view utf8WithLf);
}  // namespace linvara::text
