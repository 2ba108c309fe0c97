#include "import/swapped_columns.h"

#include <algorithm>

#include "import/zone_prefix.h"
#include "text/format.h"

namespace linvara::import {
namespace {

bool EastOnly(double v) { return (v > 0 && v < 1e6) || ZonePrefixOf(v) != 0; }
bool NorthOnly(double v) { return v >= 1e6 && v < 1e7; }

}  // namespace

bool LooksSwapped(const std::vector<ImportedPoint>& points, std::string& evidence) {
    std::size_t seen = 0;
    double xlo = 0, xhi = 0, ylo = 0, yhi = 0;
    for (const ImportedPoint& p : points) {
        if (p.north == 0 && p.east == 0) continue;
        if (!EastOnly(p.north) || !NorthOnly(p.east)) return false;
        xlo = seen == 0 ? p.north : std::min(xlo, p.north);
        xhi = seen == 0 ? p.north : std::max(xhi, p.north);
        ylo = seen == 0 ? p.east : std::min(ylo, p.east);
        yhi = seen == 0 ? p.east : std::max(yhi, p.east);
        ++seen;
    }
    if (seen == 0) return false;
    evidence = text::Format("x从%.3f到%.3f，y从%.3f到%.3f", xlo, xhi, ylo, yhi);
    return true;
}

}  // namespace linvara::import
