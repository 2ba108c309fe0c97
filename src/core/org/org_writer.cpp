#include <cstdarg>

#include "org/org_transition.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/file_name.h"
#include "text/format.h"

namespace linvara {
namespace {

// Converted piece by piece, each ending after a line feed, so the file never
// exists twice in memory.
constexpr std::size_t kPieceBytes = 1 << 20;

bool WritePieces(text::AtomicFile& file, std::string_view utf8) {
    while (!utf8.empty()) {
        std::size_t end = utf8.size();
        if (end > kPieceBytes) {
            const std::size_t lf = utf8.find('\n', kPieceBytes - 1);
            end = lf == std::string_view::npos ? utf8.size() : lf + 1;
        }
        if (!file.Write(text::ToGbkTextFile(utf8.substr(0, end)))) return false;
        utf8.remove_prefix(end);
    }
    return true;
}

bool WritePieces(text::AtomicFile& file, const RecordBuffer& records) {
    for (std::string_view run : records.KeptRuns())
        if (!WritePieces(file, run)) return false;
    return true;
}

}  // namespace

void OrgTransition::AddRecord(std::string line) { MainRecords.Append(line); }

void OrgTransition::AddTrailerRecord(std::string line) { TrailerRecords.Append(line); }

void OrgTransition::DropLastRecord() { MainRecords.DropLast(); }

void OrgTransition::AddRecordFormatted(const char* tmpl, ...) {
    va_list args;
    va_start(args, tmpl);
    std::string line = text::FormatV(tmpl, args);
    va_end(args);
    AddRecord(std::move(line));
}

void OrgTransition::AddTrailerFormatted(const char* tmpl, ...) {
    va_list args;
    va_start(args, tmpl);
    std::string line = text::FormatV(tmpl, args);
    va_end(args);
    AddTrailerRecord(std::move(line));
}

std::string OrgTransition::OrgFilePath() const {
    return text::WithExtension(OutputPath, ".org");
}

bool OrgTransition::WriteOrgFile(const std::string& path, std::string* error) const {
    text::AtomicFile file(path);
    if (file.Open() && WritePieces(file, MainRecords) && WritePieces(file, TrailerRecords) && file.Commit())
        return true;
    if (error) *error = file.Error();
    return false;
}

}  // namespace linvara
