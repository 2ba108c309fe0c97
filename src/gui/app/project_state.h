#pragma once
#include <memory>
#include <string>

#include "db/project_database.h"
#include "model/dh_point_list.h"
#include "model/options.h"

namespace linvara::gui {

// The open project, held by the main frame. Invariants: `current` is either
// null or points at `working`; loaded() <=> current != null; the J/Z-stake
// lists of view modes 1 and 2 are derived on demand and never stored here.
struct ProjectState {
    int activeView = 0;          // 0 list view shown, 1 plan view shown
    std::string orgOutputPath;   // ORG file chosen last
    DHPointList working;         // the working stake list in route order
    int viewMode = 0;            // 0 all points, 1 J-stake editing, 2 Z-stake editing
    std::unique_ptr<CProjectDatabase> database;  // store of the open project
    COptions options;            // what the stake sequence uses
    DHPointList* current = nullptr;

    bool loaded() const { return current != nullptr; }
};

}  // namespace linvara::gui
