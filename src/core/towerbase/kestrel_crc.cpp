#include "towerbase/kestrel_crc.h"

#include <cctype>

#include "text/format.h"
#include "towerbase/utf16.h"

namespace linvara {

uint32_t CKestrelGpsCRC::Checksum(std::string_view utf8Line) {
    uint32_t crc = 0;
    for (char16_t unit : Utf16Units(utf8Line)) {
        uint32_t t = (crc ^ static_cast<uint32_t>(unit)) & 0xFFu;
        for (int bit = 0; bit < 8; ++bit) t = (t & 1u) ? (t >> 1) ^ 0xEDB88480u : t >> 1;
        crc = t ^ (crc >> 8);
    }
    return crc;
}

std::string CKestrelGpsCRC::GetCheckText(std::string_view utf8Line) const {
    std::string check = text::Format("*%8lx", static_cast<unsigned long>(Checksum(utf8Line)));
    for (char& c : check) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return check;
}

}  // namespace linvara
