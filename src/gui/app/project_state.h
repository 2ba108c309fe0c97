#pragma once
#include <memory>
#include <string>

#include "common/view_types.h"
#include "db/project_database.h"
#include "model/dh_point_list.h"
#include "model/options.h"

namespace linvara::gui {

// Which of the two views the main window shows.
enum class ActiveView { List = 0, Plan = 1 };

// The open project, held by the main window. Invariants: `current` is either
// null or points at `working`; loaded() <=> current != null; the J/Z-stake
// lists of the J/Z-stake view modes are derived on demand and never stored here.
struct ProjectState {
    ActiveView activeView = ActiveView::List;
    std::string orgOutputPath;   // ORG file chosen last
    DHPointList working;         // the working stake list in route order
    ViewMode viewMode = ViewMode::AllPoints;
    std::unique_ptr<CProjectDatabase> database;  // store of the open project
    COptions options;            // what the stake sequence uses
    DHPointList* current = nullptr;

    bool loaded() const { return current != nullptr; }
};

}  // namespace linvara::gui
