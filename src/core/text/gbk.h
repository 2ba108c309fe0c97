#pragma once
// GBK as the Windows code page 936 holds it, for files that declare that
// code page (the DXF's ANSI_936) and so cannot carry GB18030's additions.
#include <string>
#include <string_view>

namespace linvara::text {

// Whether code page 936 has the character: ASCII, the euro sign (its single
// byte 0x80), and every character GB18030 writes in two bytes that code
// page 936 reads back as the same character. GB18030's four-byte characters
// (𠮷) and its later two-byte additions (ḿ, vertical punctuation, the
// ideographic description characters, the radicals at FE50..FEA0) are not.
bool IsGbkCharacter(char32_t codePoint);

// The characters of `utf8` outside GBK, each once, in the order they first
// appear; empty when there is none.
std::string CharactersOutsideGbk(std::string_view utf8);

// `utf8` in code page 936: GB18030's bytes for every GBK character, 0x80
// for the euro sign, and one "?" for every character outside GBK. Invalid
// UTF-8 becomes "?"; throws EncodingError as Utf8ToGb18030 does.
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace linvara::text
