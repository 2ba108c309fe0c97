#pragma once
#include <string>
#include <vector>

namespace linvara::gui {

class PlanView;

// The plan's side of the selection the list and the plan share, through
// the plan's public canvas. `gpsIds` are the points selected in the list;
// the plan marks the first of them (its pick mark). With `bringIntoView`
// the plan also centres on it when it lies outside the window and switches
// to the pick tool, so the mark shows. False when the plan does not draw it.
bool MarkInPlan(PlanView& plan, const std::vector<std::string>& gpsIds, bool bringIntoView = true);

// Zooms the plan to the points (at least ±60 px around a single one).
// False when the plan draws none of them.
bool ZoomPlanTo(PlanView& plan, const std::vector<std::string>& gpsIds);

}  // namespace linvara::gui
