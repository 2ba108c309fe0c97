#pragma once

namespace linvara::gui {

// Which points the views list and draw.
enum class ViewMode {
    AllPoints = 0,  // the working stake list
    JStakes = 1,    // J-stake editing: its J stakes only
    ZStakes = 2,    // Z-stake editing: its Z stakes only
};

// Why the views are told to refresh.
enum class UpdateHint {
    ListChanged = 0,    // the list or the view mode changed
    ProjectLoaded = 1,  // a project was opened or reset: start afresh
};

}  // namespace linvara::gui
