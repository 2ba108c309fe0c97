#pragma once
#include <QString>
#include <cstddef>
#include <vector>

#include "model/dh_point.h"

class QFontMetrics;

namespace linvara::gui {

// The point labels "name(original name)" of one data set and their widths,
// made the first time each label is needed and kept until the data set
// changes: a repaint formats nothing, and a label never drawn is never made.
class PlotLabels {
public:
    void Reset(std::size_t count);
    // The point at `index` changed: its label is made again when needed.
    void Forget(std::size_t index);
    // A point was put in at `index` / taken out from there.
    void Insert(std::size_t index);
    void Erase(std::size_t index);
    const QString& Text(std::size_t index, const linvara::DHPoint& point);
    int Width(std::size_t index, const linvara::DHPoint& point, const QFontMetrics& metrics);

private:
    std::vector<QString> texts_;
    std::vector<bool> made_;
    std::vector<int> widths_;  // -1 until measured
};

}  // namespace linvara::gui
