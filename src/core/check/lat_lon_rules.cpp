// Latitude/longitude that an edit of x/y left behind: the KML and the
// workbook would put the point where it no longer stands.
#include <cmath>

#include "check/rules.h"
#include "import/lat_lon_match.h"
#include "model/code_tables.h"
#include "text/format.h"

namespace linvara::check {
namespace {

std::string StaleText(const DHPoint& p, const import::StaleLatLon& stale, const LatLonBasis& basis) {
    const std::string kind = DHTypeName(p.DHType);
    if (!stale.bySystem)
        return text::Format("%s的坐标已移动%.2f m，经纬度未随之更新，KML文件和成果表中该点位置错误", kind.c_str(),
                            stale.distance);
    const char* system = basis.system->name.c_str();
    if (!std::isfinite(stale.distance))
        return text::Format("%s的坐标不在工程坐标系（%s）的投影带中，经纬度与坐标无法对应", kind.c_str(), system);
    return text::Format("%s的经纬度与坐标相差%.2f m（工程坐标系：%s），KML文件和成果表中该点位置错误", kind.c_str(),
                        stale.distance, system);
}

}  // namespace

void CheckLatLonStale(const CheckInput& in, Findings& out) {
    if (in.latLon == nullptr) return;
    for (const import::StaleLatLon& stale : import::FindStaleLatLon(in.points, *in.latLon))
        out.push_back(AtRow(in, stale.row, RuleNamed("latlon-stale"),
                            StaleText(in.points[stale.row], stale, *in.latLon)));
}

}  // namespace linvara::check
