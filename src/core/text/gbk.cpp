#include "text/gbk.h"

#include <cstdint>

#include "text/encoding.h"
#include "text/gb18030.h"

namespace linvara::text {
namespace {

constexpr char32_t kEuro = 0x20AC;
constexpr char kEuroByte = '\x80';

// Two-byte GB18030 codes that code page 936 does not read as GB18030 does:
// the euro sign (A2E3; code page 936 has it as the byte 0x80) and what
// GB18030 added to GBK's code space. Every other two-byte code reads alike,
// the private-use ones included (code page 936 maps its user-defined areas
// to the same private-use characters).
struct CodeRange {
    std::uint32_t first, last;
};
constexpr CodeRange kNotInCodePage936[] = {
    {0xA2E3, 0xA2E3},  // €
    {0xA6D9, 0xA6DF},  // vertical punctuation
    {0xA6EC, 0xA6ED},
    {0xA6F3, 0xA6F3},
    {0xA8BC, 0xA8BC},  // ḿ
    {0xA8BF, 0xA8BF},  // ǹ
    {0xA989, 0xA995},  // ideographic description characters
    {0xFE50, 0xFEA0},  // CJK radicals and characters
};

bool InCodePage936(std::uint32_t twoByteCode) {
    for (const CodeRange& r : kNotInCodePage936)
        if (twoByteCode >= r.first && twoByteCode <= r.last) return false;
    return true;
}

// One character of valid UTF-8 at `i`: its code point and its length.
char32_t DecodeAt(std::string_view utf8, std::size_t i, std::size_t& length) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t cp = length == 1 ? c : c & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
    return cp;
}

}  // namespace

bool IsGbkCharacter(char32_t codePoint) {
    if (codePoint < 0x80 || codePoint == kEuro) return true;
    const std::uint32_t code = gb18030::CodeOf(codePoint);
    return code != 0 && code <= 0xFFFF && InCodePage936(code);
}

std::string CharactersOutsideGbk(std::string_view utf8) {
    std::string outside;
    if (IsAscii(utf8)) return outside;
    const std::string valid = SanitizeUtf8(utf8);
    std::size_t length = 0;
    for (std::size_t i = 0; i < valid.size(); i += length) {
        const char32_t cp = DecodeAt(valid, i, length);
        const std::string_view character(valid.data() + i, length);
        if (!IsGbkCharacter(cp) && outside.find(character) == std::string::npos) outside += character;
    }
    return outside;
}

// The runs of GBK characters go through the GB18030 converter whole, so a
// text without the euro sign or characters outside GBK gets exactly the
// bytes Utf8ToGb18030 gives it.
std::string Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    const std::string valid = SanitizeUtf8(utf8);
    std::string out;
    out.reserve(valid.size());
    std::size_t runStart = 0;
    std::size_t length = 0;
    for (std::size_t i = 0; i < valid.size(); i += length) {
        const char32_t cp = DecodeAt(valid, i, length);
        if (cp != kEuro && IsGbkCharacter(cp)) continue;
        out += Utf8ToGb18030(std::string_view(valid).substr(runStart, i - runStart));
        out += cp == kEuro ? kEuroByte : '?';
        runStart = i + length;
    }
    out += Utf8ToGb18030(std::string_view(valid).substr(runStart));
    return out;
}

}  // namespace linvara::text
