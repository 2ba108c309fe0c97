#pragma once
#include <string>
#include <string_view>

namespace linvara::text {

// GB18030 is the "ANSI code page" of the working tables and the code page of
// every text output: byte-identical to GBK for every GBK character and
// lossless for the rest. Decoding never throws: invalid bytes become U+FFFD.
std::string Gb18030ToUtf8(std::string_view bytes);
std::string Utf8ToGb18030(std::string_view utf8);

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
