#pragma once
// Telling a text file that mixes UTF-8 and GB18030 lines (pieces pasted from
// two programs) from one in a single encoding.
#include <cstddef>
#include <string>
#include <string_view>

namespace linvara::text {

// True when the bytes are valid UTF-8 (ASCII included).
bool IsValidUtf8(std::string_view bytes);

// Lines counted from 1 (ends LF, CR LF or CR), 0 when there is none.
struct EncodingLines {
    std::size_t firstNotUtf8 = 0;
    std::size_t firstUtf8Chinese = 0;  // valid UTF-8 with two or more three-byte sequences
    bool Mixed() const { return firstNotUtf8 != 0 && firstUtf8Chinese != 0; }
};

// A GB18030 line is valid UTF-8 with two three-byte sequences only by rare
// accident, while one of one or two characters often is valid UTF-8; so a
// file is taken as mixed only on that stronger evidence.
EncodingLines ScanEncodings(std::string_view bytes);

// "第A行是UTF-8编码，第B行却是GB18030编码：…" for a mixed file.
std::string MixedEncodingText(const EncodingLines& lines);

}  // namespace linvara::text
