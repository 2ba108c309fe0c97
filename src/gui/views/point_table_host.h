#pragma once
#include "common/view_types.h"
#include "model/dh_point_list.h"

namespace linvara::gui {

struct ProjectState;
class UiServices;

// What the list view needs from the main window.
class PointTableHost {
public:
    virtual ~PointTableHost() = default;
    virtual ProjectState& State() = 0;
    virtual UiServices& Ui() = 0;
    // The document's broadcast to every view.
    virtual void UpdateAllViews(UpdateHint hint) = 0;
    // "Show (mode, list)" in the plan view.
    virtual void ShowInPlan(ViewMode viewMode, const DHPointList& list) = 0;
};

}  // namespace linvara::gui
