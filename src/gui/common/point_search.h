#pragma once
#include <string>
#include <vector>

#include "model/dh_point_list.h"

namespace linvara::gui {

// The positions in `points` of the points whose name starts with `text`, in
// list order, then of those that hold it elsewhere; an exact name comes
// first of all. Letters are compared without regard to ASCII case. Empty
// for an empty text.
std::vector<int> FindByName(const DHPointList& points, const std::string& text);

// The position of the point whose stored mileage is nearest `mileage`
// (the first of equals), or -1 for an empty list.
int NearestMileage(const DHPointList& points, double mileage);

// A mileage as typed: metres ("1250.5") or chainage ("K1+250.5", "1+250").
// False when it is neither.
bool ParseMileage(const std::string& text, double& metres);

}  // namespace linvara::gui
