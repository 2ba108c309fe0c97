#include <cstdarg>

#include "org/org_record_builder.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
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

void OrgRecordBuilder::AddRecord(std::string line) { main_.Append(line); }

void OrgRecordBuilder::AddTrailerRecord(std::string line) { trailer_.Append(line); }

void OrgRecordBuilder::DropLastRecord() { main_.DropLast(); }

void OrgRecordBuilder::AddRecordFormatted(const char* tmpl, ...) {
    va_list args;
    va_start(args, tmpl);
    std::string line = text::FormatV(tmpl, args);
    va_end(args);
    AddRecord(std::move(line));
}

void OrgRecordBuilder::AddTrailerFormatted(const char* tmpl, ...) {
    va_list args;
    va_start(args, tmpl);
    std::string line = text::FormatV(tmpl, args);
    va_end(args);
    AddTrailerRecord(std::move(line));
}

Status WriteOrgRecords(const std::string& path, const RecordBuffer& main, const RecordBuffer& trailer) {
    text::AtomicFile file(path);
    if (file.Open() && WritePieces(file, main) && WritePieces(file, trailer) && file.Commit()) return Status::Ok();
    return Status::Failed(WithCause("转换ORG文件失败：" + path, file.Error()));
}

}  // namespace linvara
