#include <cstdarg>

#include "org/org_transition.h"
#include "text/file_name.h"
#include "text/format.h"
#include "text/record_file.h"

namespace linvara {
namespace {

void EndLine(std::string& line) {
    if (line.empty() || line.back() != '\n') line.push_back('\n');
}

}  // namespace

void OrgTransition::AddRecord(std::string line) {
    EndLine(line);
    MainRecords.push_back(std::move(line));
}

void OrgTransition::AddTrailerRecord(std::string line) {
    EndLine(line);
    TrailerRecords.push_back(std::move(line));
}

void OrgTransition::DropLastRecord() {
    if (!MainRecords.empty()) MainRecords.pop_back();
}

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
    return text::DropLastChars(OutputPath, 4) + ".org";
}

bool OrgTransition::WriteOrgFile(const std::string& path) const {
    return text::WriteRecordFile(path, {MainRecords, TrailerRecords});
}

}  // namespace linvara
