#pragma once
// The groups of rules CheckProject runs, one file each.
#include <cstddef>
#include <string>
#include <vector>

#include "check/check_settings.h"
#include "check/finding.h"
#include "check/rule_table.h"
#include "check/stored_values.h"
#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"

namespace linvara::check {

struct CheckInput {
    const DHPointList& points;
    const SectionPointList& towerBase;
    const CheckSettings& settings;
    std::vector<std::size_t> jRows;  // positions of the J stakes in `points`
    const LatLonBasis* latLon = nullptr;  // the project's coordinate system and B/L origins
    const StoredValueTroubles* stored = nullptr;  // what the file's rows hold beyond the list's values
};

// A finding of `rule` (a row of kRules: `RuleNamed("aux-missing")`), which
// gives its identifier, severity and effect on the ORG file.
Finding Found(const Rule& rule, Place place, std::string message);
// A finding about the point at `row` of the working list.
Finding AtRow(const CheckInput& in, std::size_t row, const Rule& rule, std::string message);
// "第N行" of a list position, counted from 1 as the list view shows it.
std::string RowText(std::size_t row);

// Whether the point has usable plane coordinates: finite and not (0, 0).
bool HasPlanePosition(const DHPoint& p);

void CheckConversion(const CheckInput& in, Findings& out);  // what the ORG conversion reports or skips
void CheckTowerBase(const CheckInput& in, Findings& out);   // what the tower-base conversion reports or skips
void CheckNames(const CheckInput& in, Findings& out);       // empty and repeated names and identities
void CheckPositions(const CheckInput& in, Findings& out);   // coordinates and J stakes
void CheckReference(const CheckInput& in, Findings& out);   // reference to the route, mileages
void CheckRouteDistance(const CheckInput& in, Findings& out);  // points beyond the offset range
void CheckOutputData(const CheckInput& in, Findings& out);  // latitude/longitude, codes
void CheckImplausibleDistances(const CheckInput& in, Findings& out);  // legs and offsets beyond any line
void CheckNameDelimiters(const CheckInput& in, Findings& out);  // names that break result files
void CheckLatLonStale(const CheckInput& in, Findings& out);  // B/L that no longer match x/y
void CheckStoredValues(const CheckInput& in, Findings& out);  // values no output can carry

}  // namespace linvara::check
