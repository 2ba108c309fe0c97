#pragma once
// CGCS2000 Gauss-Krueger plane coordinates <-> latitude/longitude, through
// PROJ with a plain transverse Mercator definition (no grids, no network):
// scale 1 on the central meridian, 500 km false easting unless switched off.
// Kept apart from the import so an opened project can use it too.
#include <memory>
#include <string>
#include <vector>

#include "model/lat_lon_basis.h"

namespace linvara {

struct GaussKrugerZone {
    double centralMeridian = 0;       // degrees east
    bool falseEasting = true;         // 500 000 m added to the east coordinate
    std::vector<int> zonePrefixes;    // zone numbers that may stand in front of the east coordinate
};

// The zone of a central meridian; its 3° and 6° zone numbers (where the
// meridian is one of theirs) are the prefixes recognised.
GaussKrugerZone ZoneOfMeridian(double centralMeridian);
// Zone `number` of the 3° or 6° system (central meridian 3n or 6n - 3).
GaussKrugerZone ZoneOfNumber(int number, int width);

// "+proj=tmerc +lat_0=0 +lon_0=… +k=1 +x_0=500000 +y_0=0 +a=6378137 +rf=298.257222101 +units=m +no_defs"
std::string ProjDefinition(const GaussKrugerZone& zone);
// The zone as a project remembers it, named
// "CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km".
CoordinateSystem CoordinateSystemOf(const GaussKrugerZone& zone);

class GaussKruger {
public:
    // False in a build without PROJ (the Windows build): Create then fails
    // with kNotInThisBuild.
    static bool Available();
    static constexpr const char* kNotInThisBuild = "此版本不支持坐标投影（平面坐标与经纬度换算，需要PROJ）";

    // Null, with PROJ's reason in `error`, when PROJ refuses the definition.
    static std::unique_ptr<GaussKruger> Create(const GaussKrugerZone& zone, std::string& error);
    // The same for a system a project remembers.
    static std::unique_ptr<GaussKruger> Create(const CoordinateSystem& system, std::string& error);
    ~GaussKruger();
    GaussKruger(const GaussKruger&) = delete;
    GaussKruger& operator=(const GaussKruger&) = delete;

    // x (north) / y (east) -> latitude / longitude in decimal degrees. The
    // east coordinate may carry one of the zone's prefixes (38 500 000.0 in
    // zone 38); false when it carries another one or PROJ cannot convert.
    bool ToGeographic(double north, double east, double& latitude, double& longitude) const;
    // Latitude / longitude -> x / y (without a zone prefix).
    bool ToPlane(double latitude, double longitude, double& north, double& east) const;
    // The east coordinate without its zone prefix; false for a prefix not the zone's.
    bool StripZonePrefix(double east, double& plain) const;

private:
    struct Proj;
    GaussKruger(std::vector<int> zonePrefixes, std::unique_ptr<Proj> proj);
    std::vector<int> zonePrefixes_;
    std::unique_ptr<Proj> proj_;
};

}  // namespace linvara
