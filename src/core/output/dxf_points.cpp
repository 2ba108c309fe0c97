#include <string_view>

#include "output/result_text.h"

namespace linvara::output {
namespace {

// The pieces of the DXF point file: an ENTITIES section only; per point two
// identical POINT entities (layer 0, colour 4) around one TEXT entity with
// the point name (handle 0, height 2, 2.5 east of the point).
constexpr std::string_view kSectionStart = " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n";
constexpr std::string_view kPointStart = " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n";
constexpr std::string_view kEast = " 10\r\n";
constexpr std::string_view kNorth = "\r\n 20\r\n";
constexpr std::string_view kHeight = "\r\n 30\r\n";
constexpr std::string_view kTextStart = "  0\r\nTEXT\r\n  5\r\n0\r\n  8\r\n0\r\n";
constexpr std::string_view kTextStyle = "\r\n 30\r\n0.0\r\n 40\r\n2\r\n1\r\n";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSectionEnd = " 0\r\nENDSEC\r\n 0\r\nEOF\r\n";

constexpr double kTextShiftEast = 2.5;

// " 10" east and " 20" north, "%.4f" each.
void AppendCoords(std::string& out, double east, double north) {
    out += kEast;
    AppendFixed(out, east, 4);
    out += kNorth;
    AppendFixed(out, north, 4);
}

}  // namespace

std::vector<SurveyCoord> CollectSurveyCoords(const DHPointList& list) {
    std::vector<SurveyCoord> coords;
    coords.reserve(list.size());
    for (const DHPoint& p : list) coords.push_back({p.NewPtName, p.Code, p.Dx, p.Dy, p.Dh});
    return coords;
}

std::string BuildDxf(std::span<const SurveyCoord> coords) {
    std::string out;
    out.reserve(coords.size() * 240 + 64);
    out += kSectionStart;
    std::string point;
    for (const SurveyCoord& c : coords) {
        point.assign(kPointStart);
        AppendCoords(point, c.y, c.x);
        point += kHeight;
        AppendFixed(point, c.h, 4);
        point += kLineEnd;
        out += point;
        out += kTextStart;
        AppendCoords(out, c.y + kTextShiftEast, c.x);
        out += kTextStyle;
        out += c.Pn;
        out += kLineEnd;
        out += point;
    }
    out += kSectionEnd;
    return out;
}

}  // namespace linvara::output
