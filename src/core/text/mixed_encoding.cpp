#include "text/mixed_encoding.h"

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::text {
namespace {

bool LooksUtf8Chinese(std::string_view line) {
    int threeByte = 0;
    for (unsigned char c : line)
        if (c >= 0xE0 && c < 0xF0) ++threeByte;
    return threeByte >= 2 && IsValidUtf8(line);
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) { return IsAscii(bytes) || SanitizeUtf8(bytes) == bytes; }

EncodingLines ScanEncodings(std::string_view bytes) {
    EncodingLines found;
    for (std::size_t number = 1; !bytes.empty() && !found.Mixed(); ++number) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string_view line = bytes.substr(0, end);
        if (end == std::string_view::npos) bytes = {};
        else bytes.remove_prefix(end + (bytes.substr(end, 2) == "\r\n" ? 2 : 1));
        if (IsAscii(line)) continue;
        if (found.firstNotUtf8 == 0 && !IsValidUtf8(line)) found.firstNotUtf8 = number;
        else if (found.firstUtf8Chinese == 0 && LooksUtf8Chinese(line)) found.firstUtf8Chinese = number;
    }
    return found;
}

std::string MixedEncodingText(const EncodingLines& lines) {
    return Format("第%zu行是UTF-8编码，第%zu行却是GB18030编码：文件混用了两种编码，请把文件存为同一种编码",
                  lines.firstUtf8Chinese, lines.firstNotUtf8);
}

}  // namespace linvara::text
