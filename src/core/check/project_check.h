#pragma once
#include "check/check_settings.h"
#include "check/finding.h"
#include "check/stored_values.h"
#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"

namespace linvara::check {

// Runs every rule over the working stake list (in route order) and the
// tower-base section points (as the TOW file gives them: PegName, SubIndex
// 1 = A, NewPtName) and returns what they found: project-wide findings
// first, then the list's rows in order, then the tower-base rows. Nothing
// is changed and nothing is reported. `latLon` is what the project knows of
// its coordinate system and of moved points' B/L.
// `stored` (ReadStoredValueTroubles) adds what the file's rows hold beyond
// the values the list reads.
Findings CheckProject(const DHPointList& points, const SectionPointList& towerBase,
                      const CheckSettings& settings = {}, const LatLonBasis& latLon = {},
                      const StoredValueTroubles& stored = {});

}  // namespace linvara::check
