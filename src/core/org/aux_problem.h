#pragma once
// The words for a feature whose auxiliary point cannot be found, shared by
// the ORG conversion's report and the project check, so both name the same
// point the same way.
#include <string>

#include "model/dh_point_list.h"

namespace linvara::org {

inline constexpr char kTwoPointAuxMissing[] = "找不到2点测的对应辅助点！";
inline constexpr char kHouseCornerMissing[] = "三点测房数据异常！";

// Why the reference `name` (a feature's FZdmPt or BZdmPt, matched against
// the names the points were surveyed under) finds no auxiliary point:
// "未指定辅助点" when it is empty; "原点名为N的辅助点不存在" when no point
// holds that name; "原点名为N的点（第R行）是Z桩，不是辅助点" when the first point
// holding it, at `otherRow` of `points`, is of another kind. `otherRow` is
// -1 when there is none.
std::string AuxProblem(const std::string& name, const DHPointList& points, long long otherRow);

// "三点测房数据异常！" followed by the problems of the corners that have one,
// separated by "；"; empty when both corners were found.
std::string HouseCornerMessage(const std::string& backProblem, const std::string& frontProblem);

}  // namespace linvara::org
