#pragma once
#include <string>
#include <string_view>

namespace linvara {

// The UTF-16 code units of a UTF-8 text (invalid bytes become U+FFFD): the
// line checksum counts characters as the collectors' platform does, one unit
// per BMP character.
std::u16string Utf16Units(std::string_view utf8);

}  // namespace linvara
