#pragma once
#include <QCursor>

// The pan cursors of the plan view, drawn in code: an open hand while the
// mouse is free and a closed hand while it drags the view.
namespace linvara::gui::plot_cursors {

QCursor OpenHand();
QCursor ClosedHand();

}  // namespace linvara::gui::plot_cursors
