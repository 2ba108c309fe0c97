#include "towerbase/kestrel_crc.h"

#include <array>

#include "text/encoding.h"
#include "towerbase/utf16.h"

namespace linvara {
namespace {

// The eight shift-and-xor rounds of one byte, done once per byte value.
constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t t = i;
        for (int bit = 0; bit < 8; ++bit) t = (t & 1u) ? (t >> 1) ^ 0xEDB88480u : t >> 1;
        table[i] = t;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

uint32_t Step(uint32_t crc, uint32_t unit) { return kTable[(crc ^ unit) & 0xFFu] ^ (crc >> 8); }

}  // namespace

uint32_t KestrelCrc::Checksum(std::string_view utf8Line) {
    uint32_t crc = 0;
    if (text::IsAscii(utf8Line)) {  // one unit per byte; most lines are
        for (char c : utf8Line) crc = Step(crc, static_cast<unsigned char>(c));
        return crc;
    }
    for (char16_t unit : Utf16Units(utf8Line)) crc = Step(crc, unit);
    return crc;
}

// "*" and the value as printf("%8lX") prints it: upper case, padded with spaces.
void KestrelCrc::AppendCheckText(std::string& out, std::string_view utf8Line) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char text[9] = {'*', ' ', ' ', ' ', ' ', ' ', ' ', ' ', '0'};
    uint32_t value = Checksum(utf8Line);
    for (int at = 8; value != 0; --at, value >>= 4) text[at] = kDigits[value & 0xFu];
    out.append(text, sizeof text);
}

std::string KestrelCrc::GetCheckText(std::string_view utf8Line) const {
    std::string check;
    AppendCheckText(check, utf8Line);
    return check;
}

}  // namespace linvara
