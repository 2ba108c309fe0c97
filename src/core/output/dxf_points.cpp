#include <string_view>

#include "output/result_text.h"

namespace linvara::output {
namespace {

// The pieces of the DXF point file: a HEADER section that declares R12 and
// the GBK code page, so readers decode the names without guessing; then the
// ENTITIES section with per point two identical POINT entities (layer 0,
// colour 4) around one TEXT entity with the point name (height 2, 2.5 east
// of the point). The TEXT entities carry no handle: R12 needs none, and a
// handle repeated on every entity makes strict readers refuse the file.
constexpr std::string_view kHeader =
    " 0\r\nSECTION\r\n 2\r\nHEADER\r\n"
    " 9\r\n$ACADVER\r\n 1\r\nAC1009\r\n"
    " 9\r\n$DWGCODEPAGE\r\n 3\r\nANSI_936\r\n"
    " 0\r\nENDSEC\r\n";
constexpr std::string_view kSectionStart = " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n";
constexpr std::string_view kPointStart = " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n";
constexpr std::string_view kEast = " 10\r\n";
constexpr std::string_view kNorth = "\r\n 20\r\n";
constexpr std::string_view kHeight = "\r\n 30\r\n";
constexpr std::string_view kTextStart = "  0\r\nTEXT\r\n  8\r\n0\r\n";
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
    out.reserve(coords.size() * 240 + 160);
    out += kHeader;
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
