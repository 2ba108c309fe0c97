#include "import/decode_file.h"

#include "import/text_fields.h"
#include "text/encoding.h"
#include "text/format.h"

namespace linvara::import {
namespace {

bool IsValidUtf8(std::string_view bytes) { return text::IsAscii(bytes) || text::SanitizeUtf8(bytes) == bytes; }

// Two or more three-byte sequences (Chinese characters, in the main): a
// GB18030 line is valid UTF-8 of that kind only by rare accident, while a
// line of one or two GB18030 characters often is valid UTF-8.
bool LooksUtf8Chinese(std::string_view line) {
    if (!IsValidUtf8(line)) return false;
    int threeByte = 0;
    for (unsigned char c : line)
        if (c >= 0xE0 && c < 0xF0) ++threeByte;
    return threeByte >= 2;
}

struct EncodingLines {
    int firstInvalid = 0;   // first line that is not UTF-8, 0 when none
    int firstUtf8 = 0;      // first line that reads as UTF-8 Chinese, 0 when none
};

EncodingLines ScanLines(std::string_view bytes) {
    EncodingLines found;
    LineCursor lines(bytes);
    std::string_view line;
    while (lines.Next(line) && (found.firstInvalid == 0 || found.firstUtf8 == 0)) {
        if (text::IsAscii(line)) continue;
        if (found.firstInvalid == 0 && !IsValidUtf8(line)) found.firstInvalid = lines.Number();
        else if (found.firstUtf8 == 0 && LooksUtf8Chinese(line)) found.firstUtf8 = lines.Number();
    }
    return found;
}

}  // namespace

bool DecodePointFile(const text::TextFile& file, Encoding encoding, std::string& utf8, std::string& problem) {
    problem.clear();
    if (file.Unicode()) {
        utf8 = text::SanitizeUtf8(file.text);
        return true;
    }
    if (encoding == Encoding::Utf8 && !IsValidUtf8(file.text)) {
        problem = text::Format("第%d行：不是UTF-8编码的文字（样式指定了UTF-8）", ScanLines(file.text).firstInvalid);
        return false;
    }
    if (encoding == Encoding::Auto && !IsValidUtf8(file.text)) {
        const EncodingLines found = ScanLines(file.text);
        if (found.firstUtf8 != 0) {
            problem = text::Format("第%d行是UTF-8编码，第%d行却是GB18030编码：文件混用了两种编码，"
                                   "请把文件存为同一种编码，或指定文件的编码",
                                   found.firstUtf8, found.firstInvalid);
            return false;
        }
    }
    utf8 = DecodeText(file.text, encoding);
    return true;
}

}  // namespace linvara::import
