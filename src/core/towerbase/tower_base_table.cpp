#include "towerbase/tower_base_table.h"

#include <string>
#include <string_view>

#include "text/encoding.h"

namespace linvara {
namespace {

std::string WithoutLineBreaks(std::string code) {
    for (const char* brk : {"\r\n", "\r", "\n"}) {
        std::string kept;
        const std::string_view needle(brk);
        std::size_t from = 0;
        for (std::size_t at; (at = code.find(needle, from)) != std::string::npos; from = at + needle.size())
            kept.append(code, from, at - from);
        kept.append(code, from, std::string::npos);
        code = std::move(kept);
    }
    return code;
}

}  // namespace

TGDataUnit DecodeTowerBaseRow(TGDataUnit row) {
    row.Name = text::SanitizeUtf8(row.Name);
    row.Code = WithoutLineBreaks(text::SanitizeUtf8(row.Code));
    row.PegName = text::Gb18030ToUtf8(row.PegName);
    return row;
}

}  // namespace linvara
