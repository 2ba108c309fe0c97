#include <cstdarg>

#include "org/org_transition.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"

namespace linvara {
namespace {

void EndLine(std::string& line) {
    if (line.empty() || line.back() != '\n') line.push_back('\n');
}

// Byte length of `text` without its last `count` characters (UTF-8).
std::size_t WithoutLastCharacters(const std::string& text, int count) {
    std::size_t end = text.size();
    while (count > 0 && end > 0) {
        --end;
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) --count;
    }
    return end;
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
    return OutputPath.substr(0, WithoutLastCharacters(OutputPath, 4)) + ".org";
}

bool OrgTransition::WriteOrgFile(const std::string& path) const {
    std::size_t size = 0;
    for (const std::string& line : MainRecords) size += line.size();
    for (const std::string& line : TrailerRecords) size += line.size();
    std::string content;
    content.reserve(size);
    for (const std::string& line : MainRecords) content += line;
    for (const std::string& line : TrailerRecords) content += line;
    return text::WriteFileAtomically(path, text::ToGbkTextFile(content));
}

}  // namespace linvara
