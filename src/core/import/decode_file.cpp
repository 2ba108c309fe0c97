#include "import/decode_file.h"

#include "import/text_fields.h"
#include "text/encoding.h"
#include "text/format.h"
#include "text/mixed_encoding.h"

namespace linvara::import {

bool DecodePointFile(const text::TextFile& file, Encoding encoding, std::string& utf8, std::string& problem) {
    problem.clear();
    if (file.Unicode()) {
        utf8 = text::SanitizeUtf8(file.text);
        return true;
    }
    if (encoding != Encoding::Gb18030 && !text::IsValidUtf8(file.text)) {
        const text::EncodingLines lines = text::ScanEncodings(file.text);
        if (encoding == Encoding::Utf8)
            problem = text::Format("第%zu行：不是UTF-8编码的文字（样式指定了UTF-8）", lines.firstNotUtf8);
        else if (lines.Mixed())
            problem = text::MixedEncodingText(lines) + "，或指定文件的编码";
        if (!problem.empty()) return false;
    }
    utf8 = DecodeText(file.text, encoding);
    return true;
}

}  // namespace linvara::import
