#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "model/tg_data_unit.h"
#include "reporter.h"

namespace linvara {

// The TOW path of a project: the path with its extension replaced by ".tow".
std::string TowPathFor(const std::string& projectPath);

// Writes Electric_Data_TG of the project to its TOW file (atomically),
// waiting for another program's write as the project database does.
// Returns 1 when written, 0 when the database cannot be opened or the file
// cannot be written (or encoded: then nothing is written).
int ExportTowFile(const std::string& projectPath, Reporter& reporter);

// What an export did, for callers that must tell a clean export from one
// whose table could not be read (the file is then written with the rows read).
struct TowExportResult {
    bool written = false;      // the TOW file stands complete on disk
    bool queryFailed = false;  // "查找记录出错!" was reported, with SQLite's reason
    std::size_t lines = 0;
};
TowExportResult ExportTow(const std::string& projectPath, Reporter& reporter);
// The bytes ExportTow writes, without writing them; nothing when the project
// cannot be read or encoded (reported). `result` gets the lines and whether
// the query failed.
std::optional<std::string> TowBytes(const std::string& projectPath, Reporter& reporter, TowExportResult& result);

// Appends one TOW line without its check text: the ten fields of the row.
void AppendTowLine(std::string& out, const TGDataUnit& row);

// The points of a TOW file, in file order (empty when it cannot be read).
// Both throw text::EncodingError when the file needs a converter the system
// lacks.
SectionPointList ReadTowFile(const std::string& towPath);
// The points of the bytes of a TOW file (GB18030), `towName` naming them in
// warnings and problems as TryReadTowFile does.
std::optional<SectionPointList> ReadTowBytes(const std::string& bytes, const std::string& towName,
                                             std::vector<std::string>* warnings = nullptr, std::string* problem = nullptr);
// As ReadTowFile, but nothing when the file cannot be read: it cannot be
// opened, is no text (text/text_file.h), mixes UTF-8 and GB18030 lines
// (text/mixed_encoding.h), or a line names no centre stake
// (field 8); `problem`, when given, then gets the line and reason ("第N行：…",
// empty when the file could not be opened). A file with a byte-order mark is
// read as Unicode, any other as GB18030. A number field holding anything but
// one number still reads as far as it goes; `warnings`, when given, gets one
// text naming the file, line and field.
std::optional<SectionPointList> TryReadTowFile(const std::string& towPath, std::vector<std::string>* warnings = nullptr,
                                               std::string* problem = nullptr);

}  // namespace linvara
