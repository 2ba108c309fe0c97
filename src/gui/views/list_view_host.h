#pragma once
#include "model/dh_point_list.h"

namespace linvara::gui {

struct ProjectState;
class UiServices;

// What the list view needs from the main frame.
class ListViewHost {
public:
    virtual ~ListViewHost() = default;
    virtual ProjectState& State() = 0;
    virtual UiServices& Ui() = 0;
    // The document's broadcast to every view.
    virtual void UpdateAllViews(int hint) = 0;
    // "Show (mode, list)" in the plan view.
    virtual void ShowInPlan(int viewMode, const DHPointList& list) = 0;
};

}  // namespace linvara::gui
