#include "check/finding_text.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/format.h"

namespace linvara::check {
namespace {

std::string RowField(const Finding& f) {
    switch (f.place) {
        case Place::Project: return "-";
        case Place::ListRow: return text::Format("%d", f.row + 1);
        case Place::TowerBaseRow:
        case Place::TowerBaseStake: return text::Format("塔基%d", f.row + 1);
    }
    return "-";
}

const char* PlaceName(Place place) {
    switch (place) {
        case Place::Project: return "project";
        case Place::ListRow: return "list";
        case Place::TowerBaseRow: return "towerbase-row";
        case Place::TowerBaseStake: return "towerbase-stake";
    }
    return "project";
}

std::string OneLine(std::string field) {
    std::replace_if(field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return field;
}

std::string PointField(const Finding& f) {
    return f.section.empty() ? f.point : f.point + " " + f.section + "断面";
}

}  // namespace

std::string FindingsText(const Findings& findings) {
    std::string out;
    for (const Finding& f : findings) {
        out += SeverityText(f.severity);
        out += '\t';
        out += f.rule;
        out += '\t';
        out += OneLine(PointField(f));
        out += '\t';
        out += RowField(f);
        out += '\t';
        out += OneLine(f.message);
        out += '\n';
    }
    return out;
}

std::string JsonString(const std::string& value) {
    const std::string valid = text::SanitizeUtf8(value);  // JSON is UTF-8; stored bytes may not be
    std::string out = "\"";
    for (const char c : valid) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += text::Format("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                else
                    out += c;
        }
    }
    return out + "\"";
}

std::string FindingsJson(const Findings& findings) {
    std::string out = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += i == 0 ? "\n  {" : ",\n  {";
        out += "\"severity\": " + JsonString(SeverityText(f.severity));
        out += ", \"rule\": " + JsonString(f.rule);
        out += ", \"place\": " + JsonString(PlaceName(f.place));
        out += ", \"row\": " + (f.place == Place::Project ? std::string("null") : text::Format("%d", f.row + 1));
        out += ", \"point\": " + JsonString(f.point);
        out += ", \"gpsId\": " + JsonString(f.gpsId);
        out += ", \"section\": " + JsonString(f.section);
        out += ", \"message\": " + JsonString(f.message);
        out += "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

std::string SummaryText(const Findings& findings) {
    const auto errors = std::count_if(findings.begin(), findings.end(),
                                      [](const Finding& f) { return f.severity == Severity::Error; });
    const auto warnings = static_cast<long long>(findings.size()) - errors;
    return text::Format("检查完成：错误%lld个，警告%lld个", static_cast<long long>(errors), static_cast<long long>(warnings));
}

}  // namespace linvara::check
