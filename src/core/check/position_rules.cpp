// Coordinates and the J-stake line itself.
#include <algorithm>
#include <cmath>
#include <vector>

#include "check/rules.h"
#include "model/geometry.h"
#include "model/point_values.h"
#include "text/format.h"

namespace linvara::check {
namespace {

void Coordinates(const CheckInput& in, Findings& out) {
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (!std::isfinite(p.Dx) || !std::isfinite(p.Dy) || !std::isfinite(p.Dh))
            out.push_back(AtRow(in, i, RuleNamed("coordinates-invalid"), "坐标不是有效数字"));
        else if (!IsSurveyValue(p.Dx) || !IsSurveyValue(p.Dy) || !IsSurveyValue(p.Dh))
            out.push_back(AtRow(in, i, RuleNamed("coordinates-invalid"), UnusableValue(p) + "，超出任何测量坐标的范围"));
        else if (p.Dx == 0 && p.Dy == 0)
            out.push_back(AtRow(in, i, RuleNamed("coordinates-zero"), "坐标为(0, 0)，该点未测量或坐标丢失"));
    }
}

// Stakes sorted by north, so only neighbours within the distance in north
// are compared; each stake is named once, against the first stake there.
void SamePlace(const CheckInput& in, Findings& out) {
    std::vector<std::size_t> rows;
    for (std::size_t r : in.jRows)
        if (HasPlanePosition(in.points[r])) rows.push_back(r);
    std::sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) { return in.points[a].Dx < in.points[b].Dx; });
    const double limit = in.settings.samePlaceDistance;
    std::vector<std::size_t> partner(in.points.size(), in.points.size());
    for (std::size_t a = 0; a < rows.size(); ++a) {
        const DHPoint& p = in.points[rows[a]];
        for (std::size_t b = a + 1; b < rows.size() && in.points[rows[b]].Dx - p.Dx <= limit; ++b) {
            if (HypotDistance(p, in.points[rows[b]]) > limit) continue;
            const std::size_t later = std::max(rows[a], rows[b]), earlier = std::min(rows[a], rows[b]);
            partner[later] = std::min(partner[later], earlier);
        }
    }
    for (std::size_t r : in.jRows)
        if (partner[r] < in.points.size())
            out.push_back(AtRow(in, r, RuleNamed("j-same-place"),
                                "与" + RowText(partner[r]) + "的J桩" + in.points[partner[r]].NewPtName + "位置相同"));
}

// The direction change at a J stake, in degrees within [-180, 180].
double Deflection(const DHPoint& before, const DHPoint& at, const DHPoint& after) {
    double d = Bearing(at, after) - Bearing(before, at);
    if (d > 180) d -= 360;
    if (d < -180) d += 360;
    return d;
}

void DoublingBack(const CheckInput& in, Findings& out) {
    for (std::size_t k = 1; k + 1 < in.jRows.size(); ++k) {
        const DHPoint& before = in.points[in.jRows[k - 1]];
        const DHPoint& at = in.points[in.jRows[k]];
        const DHPoint& after = in.points[in.jRows[k + 1]];
        if (!HasPlanePosition(before) || !HasPlanePosition(at) || !HasPlanePosition(after)) continue;
        if (HypotDistance(before, at) == 0 || HypotDistance(at, after) == 0) continue;  // no direction
        const double turn = std::fabs(Deflection(before, at, after));
        if (turn > in.settings.maxTurnAngle)
            out.push_back(AtRow(in, in.jRows[k], RuleNamed("route-doubles-back"),
                                text::Format("线路在此J桩折返：转角%.1f°，大于%.1f°", turn, in.settings.maxTurnAngle)));
    }
}

}  // namespace

void CheckPositions(const CheckInput& in, Findings& out) {
    if (in.jRows.size() < 2)
        out.push_back(Found(RuleNamed("too-few-j"), Place::Project,
                            text::Format("J桩少于两个（%zu个），无法构成线路", in.jRows.size())));
    Coordinates(in, out);
    SamePlace(in, out);
    DoublingBack(in, out);
}

}  // namespace linvara::check
