#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace linvara::text::gb18030 {

// GB18030 <-> UTF-8 from tables generated from glibc's converter, for
// systems without iconv (Windows has no code page 54936 under Wine, and
// MinGW no iconv). The results are those of the iconv conversion in
// text/encoding.cpp, byte for byte: a byte that starts no valid code
// becomes U+FFFD and the next byte is tried, and a code point without a
// code becomes one "?" per byte of its UTF-8 form.
std::string ToUtf8(std::string_view bytes);
// `utf8` must be valid UTF-8 (SanitizeUtf8).
std::string FromUtf8(std::string_view utf8);

// The code of one code point from U+0080 on, its bytes packed big-endian
// (0xB8A8 for 辅, 0x9534B235 for 𠮷); 0 when it has none.
std::uint32_t CodeOf(char32_t codePoint);

}  // namespace linvara::text::gb18030
