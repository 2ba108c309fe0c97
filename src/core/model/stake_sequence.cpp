#include "model/stake_sequence.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <utility>

#include "model/geometry.h"
#include "model/segment_index.h"
#include "text/format.h"

namespace linvara {
namespace {

DHPointList KindList(const DHPointList& list, int kind) {
    DHPointList out;
    for (const DHPoint& p : list)
        if (p.DHType == kind) out.push_back(p);
    return out;
}

std::vector<size_t> JStakePositions(const DHPointList& list) {
    std::vector<size_t> positions;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].DHType == JStake) positions.push_back(i);
    return positions;
}

// The capture test of one segment with its per-segment terms computed once:
// ordering a large route tests many points against each segment.
struct SegmentGeometry {
    SegmentGeometry(const DHPoint& s, const DHPoint& e)
        : c(s.Dx), d(s.Dy), ex(e.Dx), f(e.Dy), lo(std::min(c, ex)), hi(std::max(c, ex)) {
        if (ex == c) {
            // The segment runs due east or west: the foot shares P's east value.
            eastward = true;
            lo = std::min(d, f);
            hi = std::max(d, f);
            degenerate = f == d;
        } else {
            k = (f - d) / (ex - c);
            k2 = k * k;
        }
    }

    bool Captures(double a, double b) const {
        if (eastward) return !degenerate && lo <= b && b <= hi;
        const double xf = (k * (b - d) + c * k2 + a) / (k2 + 1);
        return lo <= xf && xf <= hi;
    }

    double c, d, ex, f, lo, hi;
    double k = 0, k2 = 0;
    bool eastward = false, degenerate = false;
};

}  // namespace

DHPointList JStakeList(const DHPointList& list) { return KindList(list, JStake); }
DHPointList ZStakeList(const DHPointList& list) { return KindList(list, ZStake); }

void ComputeJStakeMileage(DHPointList& list, double startMileage) {
    const DHPoint* previous = nullptr;
    for (DHPoint& p : list) {
        if (p.DHType != JStake) continue;
        p.Mileage = previous ? previous->Mileage + HypotDistance(*previous, p) : startMileage;
        p.Offset = 0;
        previous = &p;
    }
}

bool SegmentCapturesPoint(const DHPoint& p, const DHPoint& s, const DHPoint& e) {
    return SegmentGeometry(s, e).Captures(p.Dx, p.Dy);
}

Projection ProjectOnSegment(const DHPoint& p, const DHPoint& s, const DHPoint& e) {
    const double A = HypotDistance(p, s), B = HypotDistance(p, e), O = HypotDistance(s, e);
    Projection r;
    if (O == 0) {
        r.along = A;
        return r;
    }
    double radicand = (A + B - O) * (A + B + O) * (O + A - B) * (O + B - A);
    const double h = radicand > 0 ? std::sqrt(radicand) / (2 * O) : 0.0;
    const double alongSquared = A * A - h * h;
    r.along = alongSquared > 0 ? std::sqrt(alongSquared) : 0.0;
    double q = Bearing(s, p) - Bearing(s, e);
    if (q > 180) q -= 360;
    if (q < -180) q += 360;
    r.offset = q > 0 ? -h : h;
    return r;
}

namespace {

// The segment chosen for a point so far.
struct Capture {
    bool found = false;
    std::size_t k = 0;
    double offset = 0, mileage = 0;
};

// Keeps the smaller absolute offset, the earlier segment on a tie: the outcome
// of trying the segments in route order, whatever order they are tried in.
double Consider(Capture& best, const DHPoint& point, const DHPointList& jStakes,
                const std::vector<SegmentGeometry>& segments, std::size_t k) {
    if (segments[k].Captures(point.Dx, point.Dy)) {
        const Projection pr = ProjectOnSegment(point, jStakes[k], jStakes[k + 1]);
        const double a = std::fabs(pr.offset), b = std::fabs(best.offset);
        if (!best.found || a < b || (a == b && k < best.k)) best = {true, k, pr.offset, jStakes[k].Mileage + pr.along};
    }
    return best.found ? std::fabs(best.offset) : std::numeric_limits<double>::infinity();
}

void WriteCapture(DHPoint& point, const DHPointList& jStakes, const Capture& best) {
    if (!best.found) {
        point.Mileage = 0;
        point.Offset = 0;
        point.StartJ.clear();
        point.EndJ.clear();
        return;
    }
    point.StartJ = jStakes[best.k].NewPtName;
    point.EndJ = jStakes[best.k + 1].NewPtName;
    point.Mileage = best.mileage;
    point.Offset = best.offset;
}

// A J stake only gets offset 0 and empty StartJ/EndJ; its mileage stays.
bool ReferJStake(DHPoint& point) {
    if (point.DHType != JStake) return false;
    point.Offset = 0;
    point.StartJ.clear();
    point.EndJ.clear();
    return true;
}

void ReferToSegments(DHPoint& point, const DHPointList& jStakes, const std::vector<SegmentGeometry>& segments) {
    if (ReferJStake(point)) return;
    Capture best;
    for (std::size_t k = 0; k < segments.size(); ++k) Consider(best, point, jStakes, segments, k);
    WriteCapture(point, jStakes, best);
}

// Every point of the list against the J-stake line, through a search tree:
// every point against every segment takes minutes on a large route.
void ReferAllToSegments(DHPointList& list, const DHPointList& jStakes, const std::vector<SegmentGeometry>& segments) {
    PlaneBox area;
    for (const DHPoint& p : list) area.Add(p.Dx, p.Dy);
    const SegmentIndex index(jStakes, area);
    for (DHPoint& point : list) {
        if (ReferJStake(point)) continue;
        Capture best;
        index.Search(point.Dx, point.Dy,
                     [&](std::size_t k) { return Consider(best, point, jStakes, segments, k); });
        WriteCapture(point, jStakes, best);
    }
}

std::vector<SegmentGeometry> Segments(const DHPointList& jStakes) {
    std::vector<SegmentGeometry> segments;
    for (size_t k = 0; k + 1 < jStakes.size(); ++k) segments.emplace_back(jStakes[k], jStakes[k + 1]);
    return segments;
}

}  // namespace

void ReferPointToJStakes(DHPoint& point, const DHPointList& jStakes) {
    ReferToSegments(point, jStakes, Segments(jStakes));
}

void ReferPointToJLine(DHPoint& point, const DHPointList& list) { ReferPointToJStakes(point, JStakeList(list)); }

void ReindexOrder(DHPointList& list) {
    for (size_t i = 0; i < list.size(); ++i) list[i].OrderIndex = static_cast<int>(i);
}

int NumberingStep(int dhType, int glCode) {
    auto in = [glCode](std::initializer_list<int> codes) {
        return std::find(codes.begin(), codes.end(), glCode) != codes.end();
    };
    const bool house = in({201, 203, 206, 211, 212, 213});
    switch (dhType) {
        case AuxPoint: return 1;
        case CrossingOnePoint: return 2;
        case FeatureOnePoint:
            if (house) return 7;
            if (in({904, 905, 906, 1175, 1191})) return 5;
            if (in({173, 175, 183, 184, 185, 186, 191, 408, 710, 1000})) return 4;
            return 2;
        case FeatureTwoPoint:
            if (house) return 7;
            if (in({1175, 1191})) return 5;
            return 4;
        case HouseThreePoint: return 7;
        default: return 0;
    }
}

namespace {

// Puts the point at from[i] at position i, moving each point once, following
// the permutation's cycles in place.
void Permute(DHPointList& list, std::vector<std::size_t>& from) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (from[i] == i) continue;
        DHPoint held = std::move(list[i]);
        std::size_t j = i;
        while (from[j] != i) {
            const std::size_t k = from[j];
            list[j] = std::move(list[k]);
            from[j] = j;
            j = k;
        }
        list[j] = std::move(held);
        from[j] = j;
    }
}

// The positions of a stable sort by mileage: from[i] is the point that goes to i.
std::vector<std::size_t> MileageOrder(const DHPointList& list) {
    std::vector<std::pair<double, std::size_t>> keys;
    keys.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) keys.emplace_back(list[i].Mileage, i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> from;
    from.reserve(keys.size());
    for (const auto& key : keys) from.push_back(key.second);
    return from;
}

// Sorting (mileage, position) pairs and then moving every point once costs a
// fraction of moving whole points through the merges, and needs no buffer of
// half the list.
void StableSortByMileage(DHPointList& list) {
    std::vector<std::size_t> from = MileageOrder(list);
    Permute(list, from);
}

}  // namespace

void SortByMileage(DHPointList& list, const ConversionOptions& options) {
    StableSortByMileage(list);
    long long n = options.UseStartName ? text::ParseLeadingInt(options.StartName) : 1;
    for (DHPoint& p : list) {
        if (options.UseOffsetRange && std::fabs(p.Offset) < options.OffsetRange) p.Offset = 0;
        if (p.DHType == JStake || p.DHType == ZStake) continue;
        p.NewPtName = text::Format("%lld", n);
        n += NumberingStep(p.DHType, p.GLCode);
    }
    ReindexOrder(list);
}

void AutoOrderStakes(DHPointList& list, const ConversionOptions& options) {
    ComputeJStakeMileage(list, options.StartMileage);
    const DHPointList jStakes = JStakeList(list);
    ReferAllToSegments(list, jStakes, Segments(jStakes));
    SortByMileage(list, options);
}

void AppointJStakes(DHPointList& list, const std::vector<std::string>& gpsIds, const DHPoint& s,
                    const DHPoint& e) {
    std::unordered_set<std::string> wanted(gpsIds.begin(), gpsIds.end());
    for (DHPoint& p : list) {
        if (!wanted.count(p.GPS_ID)) continue;
        wanted.erase(p.GPS_ID);  // the first point with an identity wins
        Projection pr = ProjectOnSegment(p, s, e);
        p.Mileage = s.Mileage + pr.along;
        p.Offset = pr.offset;
        p.StartJ = s.NewPtName;
        p.EndJ = e.NewPtName;
    }
}

int MoveJStake(DHPointList& list, JMove kind, int jRow) {
    std::vector<size_t> pos = JStakePositions(list);
    if (jRow < 0 || static_cast<size_t>(jRow) >= pos.size()) return -1;
    const size_t row = static_cast<size_t>(jRow);
    const size_t at = pos[row];
    int newRow = jRow;
    switch (kind) {
        case JMove::Top: {
            DHPoint moved = std::move(list[at]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
            list.insert(list.begin(), std::move(moved));
            newRow = 0;
            break;
        }
        case JMove::Bottom: {
            DHPoint moved = std::move(list[at]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(at));
            list.push_back(std::move(moved));
            newRow = static_cast<int>(pos.size()) - 1;
            break;
        }
        case JMove::Up:
            if (row == 0) return jRow;
            std::swap(list[at], list[pos[row - 1]]);
            newRow = jRow - 1;
            break;
        case JMove::Down:
            if (row + 1 >= pos.size()) return jRow;
            std::swap(list[at], list[pos[row + 1]]);
            newRow = jRow + 1;
            break;
    }
    ReindexOrder(list);
    return newRow;
}

}  // namespace linvara
