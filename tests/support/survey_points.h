#pragma once
// Survey points for the core tests.
#include <string>

#include "model/dh_point.h"

namespace linvara::testing {

// A point of kind `type` at a plane position: NewPtName and OrgPtName are
// `name`, GPS_ID is "g_" + name (tests look points up by it).
inline DHPoint PlanePoint(const std::string& name, int type, double north = 0, double east = 0, double height = 0,
                          const std::string& code = "") {
    DHPoint p;
    p.NewPtName = name;
    p.OrgPtName = name;
    p.GPS_ID = "g_" + name;
    p.Code = code;
    p.DHType = type;
    p.Dx = north;
    p.Dy = east;
    p.Dh = height;
    return p;
}

// `p` with geodetic coordinates (decimal degrees, metres).
inline DHPoint Geodetic(DHPoint p, double latitude, double longitude, double height) {
    p.B = latitude;
    p.L = longitude;
    p.H = height;
    return p;
}

// A tower-base section point of centre stake `stake`, section `subIndex`
// (1 = A), at offset `pegDis` and height `hDiff` relative to the stake.
inline SectionPoint SectionAt(const std::string& stake, int subIndex, double pegDis, double hDiff = 0) {
    SectionPoint p;
    p.PegName = stake;
    p.SubIndex = subIndex;
    p.PegDis = pegDis;
    p.HDiff = hDiff;
    return p;
}

}  // namespace linvara::testing
