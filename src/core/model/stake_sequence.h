#pragma once
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "model/options.h"

namespace linvara {

// The J stakes (DHType 0) / Z stakes (DHType 1) of a list, in list order.
DHPointList JStakeList(const DHPointList& list);
DHPointList ZStakeList(const DHPointList& list);

// Chains the J stakes: the first gets `startMileage`, every later one the
// previous mileage plus the plane distance; their offsets become 0.
void ComputeJStakeMileage(DHPointList& list, double startMileage);

// Whether the foot of the perpendicular from P lies within the segment S-E
// (both ends inclusive). A zero-length segment captures nothing.
bool SegmentCapturesPoint(const DHPoint& p, const DHPoint& s, const DHPoint& e);

struct Projection {
    double along = 0;   // distance from S to the foot of the perpendicular, >= 0
    double offset = 0;  // signed distance; negative to the right of S->E
};
Projection ProjectOnSegment(const DHPoint& p, const DHPoint& s, const DHPoint& e);

// Writes StartJ, EndJ, Mileage and Offset of `point` from the J-stake line of
// `list` (a J stake only gets offset 0 and empty StartJ/EndJ).
void ReferPointToJLine(DHPoint& point, const DHPointList& list);
// The same against a J-stake list computed once by the caller.
void ReferPointToJStakes(DHPoint& point, const DHPointList& jStakes);

// Sets every OrderIndex to the point's position.
void ReindexOrder(DHPointList& list);

// "里程排序": sorts by mileage, renumbers the detail points and applies the
// offset range option.
void SortByMileage(DHPointList& list, const ConversionOptions& options);
// The name step of a detail point (0 for J and Z stakes and unknown kinds).
int NumberingStep(int dhType, int glCode);

// "自动J桩排序": J-stake mileage, reference of every point, mileage sort.
void AutoOrderStakes(DHPointList& list, const ConversionOptions& options);

// "指定J桩": refers the points with the given GPS_IDs to the segment S-E.
void AppointJStakes(DHPointList& list, const std::vector<std::string>& gpsIds, const DHPoint& s,
                    const DHPoint& e);

enum class JMove { Top, Up, Down, Bottom };
// Moves the J stake at `jRow` of the J-stake list within the working list.
// Returns the J-stake row the stake stands at afterwards (unchanged when the
// move is not possible), or -1 when `jRow` is not a J-stake row.
int MoveJStake(DHPointList& list, JMove kind, int jRow);

}  // namespace linvara
