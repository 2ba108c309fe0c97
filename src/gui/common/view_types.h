#pragma once

namespace linvara::gui {

// Which points the views list and draw.
enum class ViewMode {
    AllPoints = 0,  // the working stake list
    JStakes = 1,    // J-stake editing: its J stakes only
    ZStakes = 2,    // Z-stake editing: its Z stakes only
};

// Which of the two views the main window shows.
enum class ActiveView { List = 0, Plan = 1 };

}  // namespace linvara::gui
