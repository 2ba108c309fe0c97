#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>

#include "text/encoding.h"
#include "text/format.h"
#include "towerbase/tow_file.h"
#include "text/file_system.h"
#include "text/mixed_encoding.h"
#include "text/text_file.h"

namespace linvara {
namespace {

constexpr std::size_t kFieldCount = 10;

// Exactly ten fields: missing ones are empty, the tenth keeps any further commas.
std::array<std::string, kFieldCount> SplitFields(std::string_view line) {
    std::array<std::string, kFieldCount> fields;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const std::size_t comma = i + 1 < kFieldCount ? line.find(',') : std::string_view::npos;
        fields[i] = text::Trim(line.substr(0, comma));
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    return fields;
}

// Reads the number fields of one line. A field holding anything but one
// number still gives the value read as far as it goes, and a warning that
// names the file, the line and the field.
class NumberReader {
public:
    NumberReader(const std::string& file, std::size_t line, std::vector<std::string>* warnings)
        : file_(file), line_(line), warnings_(warnings) {}

    double Number(const std::string& field, std::size_t index) {
        double value = 0;
        if (!field.empty() && !text::ParseDouble(field, value)) Warn(field, index);
        return text::ParseLeadingDouble(field);
    }

    int Section(const std::string& field, std::size_t index) {
        if (!IsInteger(field)) Warn(field, index);
        const long long value = text::ParseLeadingInt(field);
        return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    }

private:
    static bool IsInteger(std::string_view field) {
        if (field.empty()) return true;  // a missing field reads 0 without a word
        if (field.front() == '+' || field.front() == '-') field.remove_prefix(1);
        return !field.empty() && std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    }

    void Warn(const std::string& field, std::size_t index) {
        if (!warnings_) return;
        warnings_->push_back(text::Format("%s第%zu行第%zu个字段（%s）：无法读取数值“%s”", file_.c_str(), line_,
                                          index + 1, kFieldNames[index], field.c_str()));
    }

    static constexpr const char* kFieldNames[kFieldCount] = {"点名", "北坐标", "东坐标", "高程", "编码",
                                                             "偏距", "高差",   "中桩",   "断面号", "备注"};
    const std::string& file_;
    std::size_t line_;
    std::vector<std::string>* warnings_;
};

// How many of the ten fields a line gives.
std::size_t FieldsGiven(std::string_view line) {
    return std::min<std::size_t>(kFieldCount, static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1);
}

SectionPoint PointFromLine(std::string_view line, NumberReader numbers) {
    const auto f = SplitFields(line);
    SectionPoint p;
    p.NewPtName = f[0];
    p.Dx = numbers.Number(f[1], 1);
    p.Dy = numbers.Number(f[2], 2);
    p.Dh = numbers.Number(f[3], 3);
    p.Code = f[4];
    p.PegDis = numbers.Number(f[5], 5);
    p.HDiff = numbers.Number(f[6], 6);
    p.PegName = f[7];
    p.SubIndex = numbers.Section(f[8], 8);
    p.TowNote = f[9].substr(0, f[9].find('*'));  // the check text is not part of the note
    return p;
}

std::optional<SectionPointList> ReadTowText(const std::string& content, const std::string& towPath,
                                            std::vector<std::string>* warnings, std::string* problem) {
    SectionPointList points;
    if (text::Trim(content).empty()) return points;  // a blank file holds no point, not one of empty fields
    std::string_view rest(content);
    for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;  // a blank line ends the data
        SectionPoint point = PointFromLine(line, NumberReader(towPath, lineNumber, warnings));
        // Without its centre stake a point would be drawn into a file of its own for a stake named "".
        if (point.PegName.empty()) {
            const std::size_t given = FieldsGiven(line);
            if (problem)
                *problem = given < 8 ? text::Format("第%zu行：没有中桩名（只有%zu个字段，应有10个）", lineNumber, given)
                                     : text::Format("第%zu行：中桩名为空", lineNumber);
            return std::nullopt;
        }
        points.push_back(std::move(point));
    }
    return points;
}

}  // namespace

std::optional<SectionPointList> TryReadTowFile(const std::string& towPath, std::vector<std::string>* warnings,
                                               std::string* problem) {
    std::error_code ec;
    if (std::filesystem::is_directory(text::FsPath(towPath), ec)) return std::nullopt;
    text::TextFile file;
    if (const auto bad = text::ReadTextFile(towPath, file)) {
        if (problem && bad->line > 0) *problem = text::ProblemText(*bad);
        return std::nullopt;
    }
    if (!file.Unicode()) {
        // UTF-8 lines pasted into a GBK file would become names no one typed.
        if (const text::EncodingLines lines = text::ScanEncodings(file.text); lines.Mixed()) {
            if (problem) *problem = text::MixedEncodingText(lines);
            return std::nullopt;
        }
    }
    return ReadTowText(file.Unicode() ? text::SanitizeUtf8(file.text) : text::Gb18030ToUtf8(file.text), towPath, warnings,
                       problem);
}

std::optional<SectionPointList> ReadTowBytes(const std::string& bytes, const std::string& towName,
                                             std::vector<std::string>* warnings, std::string* problem) {
    return ReadTowText(text::Gb18030ToUtf8(bytes), towName, warnings, problem);
}

SectionPointList ReadTowFile(const std::string& towPath) { return TryReadTowFile(towPath).value_or(SectionPointList{}); }

}  // namespace linvara
