#include "import/zone_prefix.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "import/gauss_kruger.h"
#include "text/format.h"

namespace linvara::import {
namespace {

constexpr double kZoneUnit = 1e6;  // the zone number stands before six digits of metres

// The number most points carry; on a tie the one that comes first.
int FileZone(const std::vector<ImportedPoint>& points) {
    std::vector<std::pair<int, std::size_t>> counts;  // in order of first appearance
    for (const ImportedPoint& p : points) {
        const int zone = ZonePrefixOf(p.east);
        if (zone == 0) continue;
        auto at = std::ranges::find(counts, zone, &std::pair<int, std::size_t>::first);
        if (at == counts.end()) counts.emplace_back(zone, 1);
        else ++at->second;
    }
    int best = 0;
    std::size_t most = 0;
    for (const auto& [zone, count] : counts)
        if (count > most) {
            best = zone;
            most = count;
        }
    return best;
}

// Whether a value of `sorted` other than `value` itself lies within the distance.
bool HasNeighbour(const std::vector<double>& sorted, double value) {
    const auto from = std::ranges::lower_bound(sorted, value - kZoneNeighbourDistance);
    const auto to = std::ranges::upper_bound(sorted, value + kZoneNeighbourDistance);
    return to - from >= 2;  // `value` itself is one of them
}

void WithProjection(ReadPoints& read, const GaussKruger& projection, std::vector<ImportedPoint>& kept) {
    for (ImportedPoint& p : read.points) {
        double plain = 0;
        if (!projection.StripZonePrefix(p.east, plain)) {
            read.bad.push_back({p.line, text::Format("东坐标的带号与投影带不符：%.4f", p.east)});
            continue;
        }
        if (plain != p.east) {
            if (read.zonePrefix == 0) read.zonePrefix = static_cast<int>(std::floor(p.east / kZoneUnit));
            ++read.zonePrefixed;
            p.east = plain;
        }
        kept.push_back(std::move(p));
    }
}

void WithoutProjection(ReadPoints& read, std::vector<ImportedPoint>& kept) {
    const int zone = FileZone(read.points);
    if (zone == 0) {
        kept = std::move(read.points);
        return;
    }
    const double offset = zone * kZoneUnit;
    std::vector<double> eastings;  // as they will stand
    bool plainSeen = false;
    for (const ImportedPoint& p : read.points) {
        const int prefix = ZonePrefixOf(p.east);
        plainSeen = plainSeen || prefix == 0;
        if (prefix == 0 || prefix == zone) eastings.push_back(prefix == 0 ? p.east : p.east - offset);
    }
    std::ranges::sort(eastings);
    for (ImportedPoint& p : read.points) {
        const int prefix = ZonePrefixOf(p.east);
        if (prefix != 0 && prefix != zone) {
            read.bad.push_back({p.line, text::Format("东坐标的带号%d与文件中其他点的带号%d不符：%.4f", prefix, zone, p.east)});
            continue;
        }
        if (prefix == zone) {
            const double plain = p.east - offset;
            if (plainSeen && !HasNeighbour(eastings, plain)) {
                read.bad.push_back({p.line, text::Format("东坐标%.4f去掉带号%d后为%.4f，与文件中其他点的东坐标都相差%.0f千米以上",
                                                         p.east, zone, plain, kZoneNeighbourDistance / 1000)});
                continue;
            }
            p.east = plain;
            ++read.zonePrefixed;
        }
        kept.push_back(std::move(p));
    }
    if (read.zonePrefixed > 0) read.zonePrefix = zone;
}

}  // namespace

int ZonePrefixOf(double east) {
    if (!(east >= 10 * kZoneUnit && east < 100 * kZoneUnit)) return 0;
    return static_cast<int>(std::floor(east / kZoneUnit));
}

void SettleZonePrefixes(ReadPoints& read, const GaussKruger* projection) {
    std::vector<ImportedPoint> kept;
    kept.reserve(read.points.size());
    if (projection) WithProjection(read, *projection, kept);
    else WithoutProjection(read, kept);
    read.points = std::move(kept);
}

}  // namespace linvara::import
