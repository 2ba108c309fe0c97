#include "towerbase/utf16.h"

#include "text/encoding.h"

namespace linvara {

std::u16string Utf16Units(std::string_view utf8) {
    const std::string valid = text::SanitizeUtf8(utf8);
    std::u16string units;
    units.reserve(valid.size());
    for (std::size_t i = 0; i < valid.size();) {
        unsigned char lead = static_cast<unsigned char>(valid[i]);
        std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? lead : lead & (0xFF >> (len + 1));
        for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(valid[i + k]) & 0x3F);
        i += len;
        if (cp < 0x10000) {
            units.push_back(static_cast<char16_t>(cp));
        } else {
            cp -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
    }
    return units;
}

}  // namespace linvara
