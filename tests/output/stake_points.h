#pragma once
// Small point lists for the result writer tests.
#include <string>

#include "model/dh_point_list.h"

namespace linvara::testing {

inline DHPoint Stake(const std::string& name, int type, double north, double east, double height = 0,
                     const std::string& code = "") {
    DHPoint p;
    p.NewPtName = name;
    p.OrgPtName = name;
    p.GPS_ID = "gps-" + name;
    p.Code = code;
    p.DHType = type;
    p.Dx = north;
    p.Dy = east;
    p.Dh = height;
    return p;
}

inline DHPoint Geodetic(DHPoint p, double latitude, double longitude, double height) {
    p.B = latitude;
    p.L = longitude;
    p.H = height;
    return p;
}

}  // namespace linvara::testing
