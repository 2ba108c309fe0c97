#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace linvara {

// The UTF-16 code units of a UTF-8 text (invalid bytes become U+FFFD): the
// line checksum and the path rules count characters as the collectors'
// platform does, one unit per BMP character.
std::u16string Utf16Units(std::string_view utf8);

// `utf8` without its last `count` characters (code points); empty when it
// has fewer.
std::string DropLastChars(std::string_view utf8, std::size_t count);

}  // namespace linvara
