#pragma once
// The text of a point file as read from disk (text/text_file.h), decoded to
// UTF-8 in the style's encoding, or why it cannot be decoded safely.
#include <string>

#include "import/import_style.h"
#include "text/text_file.h"

namespace linvara::import {

// A file with a byte-order mark is Unicode whatever the style says. Without
// one, as DecodeText (import/text_fields.h) decodes it, except that a file
// the style declares UTF-8 must be UTF-8, and an Auto file must not mix
// UTF-8 lines with GB18030 ones: such a file reads as false, with `problem`
// naming the line ("第N行：…").
bool DecodePointFile(const text::TextFile& file, Encoding encoding, std::string& utf8, std::string& problem);

}  // namespace linvara::import
