#pragma once
#include <string>

#include "model/dh_point_list.h"
#include "reporter.h"
#include "status.h"

namespace linvara {

// No survey value comes near this (metres or degrees): a north coordinate
// stays under 1e7, an east one with its zone number in front under 1.3e8.
// Beyond it a number is a broken or hostile file, and the outputs would
// write it with hundreds of digits.
inline constexpr double kMaxSurveyValue = 1e9;

// Whether a number can be a surveyed value: finite and within kMaxSurveyValue.
bool IsSurveyValue(double value);

// The first number of the point an output writes that is no survey value,
// as "北坐标为inf"; empty when every one is.
std::string UnusableValue(const DHPoint& point);

// Whether the points can be converted: refuses an empty list ("工程中没有点：
// <project>": the collector's tables hold nothing) and names the first point
// whose numbers no output can carry. Every conversion asks this first, so
// none writes an empty file or "inf".
Status ConvertiblePoints(const DHPointList& list, const std::string& projectPath);

// Fails about the first point of the list with an UnusableValue (nothing
// may be written then); Ok when there is none.
Status UsableValues(const DHPointList& list);

}  // namespace linvara
