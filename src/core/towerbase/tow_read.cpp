#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/encoding.h"
#include "text/format.h"
#include "towerbase/tow_file.h"

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

int ParseSection(std::string_view field) {
    const long long value = text::ParseLeadingInt(field);
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

DHPoint PointFromLine(std::string_view line) {
    const auto f = SplitFields(line);
    DHPoint p;
    p.NewPtName = f[0];
    p.Dx = text::ParseLeadingDouble(f[1]);
    p.Dy = text::ParseLeadingDouble(f[2]);
    p.Dh = text::ParseLeadingDouble(f[3]);
    p.Code = f[4];
    p.PegDis = text::ParseLeadingDouble(f[5]);
    p.HDiff = text::ParseLeadingDouble(f[6]);
    p.PegName = f[7];
    p.SubIndex = ParseSection(f[8]);
    p.TowNote = f[9].substr(0, f[9].find('*'));  // the check text is not part of the note
    return p;
}

}  // namespace

std::optional<DHPointList> TryReadTowFile(const std::string& towPath) {
    std::error_code ec;
    if (std::filesystem::is_directory(towPath, ec)) return std::nullopt;
    std::ifstream in(towPath, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string content = text::Gb18030ToUtf8(bytes.str());
    DHPointList points;
    std::string_view rest(content);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;  // a blank line ends the data
        points.push_back(PointFromLine(line));
    }
    return points;
}

DHPointList ReadTowFile(const std::string& towPath) { return TryReadTowFile(towPath).value_or(DHPointList{}); }

}  // namespace linvara
