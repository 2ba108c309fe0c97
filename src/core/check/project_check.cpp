#include "check/project_check.h"

#include <algorithm>
#include <cmath>

#include "check/rules.h"
#include "text/format.h"

namespace linvara::check {

Finding Found(const Rule& rule, Place place, std::string message) {
    Finding f;
    f.severity = rule.severity;
    f.rule = rule.id;
    f.place = place;
    f.message = std::move(message);
    f.spoilsOrg = rule.spoilsOrg;
    return f;
}

Finding AtRow(const CheckInput& in, std::size_t row, const Rule& rule, std::string message) {
    const DHPoint& p = in.points[row];
    Finding f = Found(rule, Place::ListRow, std::move(message));
    f.row = static_cast<int>(row);
    f.point = p.NewPtName;
    f.gpsId = p.GPS_ID;
    return f;
}

std::string RowText(std::size_t row) { return text::Format("第%zu行", row + 1); }

bool HasPlanePosition(const DHPoint& p) {
    return std::isfinite(p.Dx) && std::isfinite(p.Dy) && !(p.Dx == 0 && p.Dy == 0);
}

namespace {

int PlaceRank(Place place) {
    switch (place) {
        case Place::Project: return 0;
        case Place::ListRow: return 1;
        case Place::TowerBaseStake:
        case Place::TowerBaseRow: return 2;
    }
    return 3;
}

}  // namespace

Findings CheckProject(const DHPointList& points, const SectionPointList& towerBase, const CheckSettings& settings,
                      const LatLonBasis& latLon, const StoredValueTroubles& stored) {
    CheckInput in{points, towerBase, settings, {}, &latLon, &stored};
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].DHType == JStake) in.jRows.push_back(i);
    Findings out;
    CheckPositions(in, out);
    CheckConversion(in, out);
    CheckNames(in, out);
    CheckReference(in, out);
    CheckRouteDistance(in, out);
    CheckOutputData(in, out);
    CheckImplausibleDistances(in, out);
    CheckNameDelimiters(in, out);
    CheckLatLonStale(in, out);
    CheckTowerBase(in, out);
    CheckStoredValues(in, out);
    // A point's findings stand together, in rule order, whatever group found them.
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
        const int ra = PlaceRank(a.place), rb = PlaceRank(b.place);
        return ra != rb ? ra < rb : a.row < b.row;
    });
    return out;
}

}  // namespace linvara::check
