#pragma once
// A style as a few "key=value" lines, so styles can be saved by name:
//   name=现场RTK
//   columns=name,code,x,y,h        ("header": found from the header row)
//   delimiter=comma                (auto, comma, semicolon, tab, space, single-space)
//   skip-lines=1
//   encoding=auto                  (auto, utf-8, gb18030)
//   kinds=names                    (names: J/Z prefixes; codes: the code lines)
//   j-prefix=J
//   z-prefix=Z
//   code=3,10kV,电力线              (kind, feature number or code-table name, the code;
//                                   spaces around each part are passed over)
#include <string>
#include <string_view>

#include "import/import_style.h"

namespace linvara::import {

std::string StyleToText(const ImportStyle& style);
// False with the line and cause in `error` when a line cannot be read or the
// style is not usable; keys left out keep the defaults.
bool StyleFromText(std::string_view text, ImportStyle& style, std::string& error);
// The same for a style file: UTF-8, or Unicode after a byte-order mark; a
// file that is no text (text/text_file.h) gives its line and reason.
bool StyleFromFile(const std::string& path, ImportStyle& style, std::string& error);

// One code of the code map as "kind,feature,code": the code last, so it may
// hold commas itself; the feature a number or a name of the kind's code table.
// Each part is read without the white space around it. False when the line
// gives no such code.
bool ParseCodeKind(std::string_view line, CodeKind& code);
std::string CodeKindText(const CodeKind& code);

}  // namespace linvara::import
