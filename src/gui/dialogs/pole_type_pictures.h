#pragma once
#include <QPixmap>

namespace linvara::gui {

// A small schematic of the pole type at `index` of the pole-type table
// (poles, cross-arms and stays after the letters of its name, the name
// above). An empty pixmap for an index outside the table.
QPixmap PoleTypePicture(int index);

}  // namespace linvara::gui
