#pragma once
#include <string>
#include <vector>

#include "model/dh_point.h"
#include "org/org_transition.h"

namespace linvara::testing {

// A point of the given kind at a plane position; the rest as constructed.
inline DHPoint MakePoint(const std::string& name, int type, double dx = 0, double dy = 0, double dh = 0) {
    DHPoint p;
    p.NewPtName = name;
    p.OrgPtName = name;
    p.GPS_ID = "gps_" + name;
    p.DHType = type;
    p.Dx = dx;
    p.Dy = dy;
    p.Dh = dh;
    return p;
}

// The records without their line feeds, for readable comparisons.
inline std::vector<std::string> Lines(const std::vector<std::string>& records) {
    std::vector<std::string> out;
    out.reserve(records.size());
    for (const std::string& r : records) out.push_back(r.substr(0, r.size() - (r.ends_with('\n') ? 1 : 0)));
    return out;
}

}  // namespace linvara::testing
