#include "plan/plot_label_grid.h"

#include <algorithm>

namespace linvara::gui {

void PlotLabelGrid::Reset(int width, int height) {
    columns_ = std::max(0, (width + kCell - 1) / kCell);
    rows_ = std::max(0, (height + kCell - 1) / kCell);
    cells_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0);
}

bool PlotLabelGrid::Taken(int x, int y) const {
    if (x < 0 || y < 0) return false;
    const int column = x / kCell;
    const int row = y / kCell;
    if (column >= columns_ || row >= rows_) return false;
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column)] != 0;
}

bool PlotLabelGrid::Claim(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) return true;
    const int c0 = std::max(0, left / kCell);
    const int r0 = std::max(0, top / kCell);
    const int c1 = std::min(columns_ - 1, (left + width - 1) / kCell);
    const int r1 = std::min(rows_ - 1, (top + height - 1) / kCell);
    if (left + width <= 0 || top + height <= 0 || c0 > c1 || r0 > r1) return true;
    auto cell = [this](int row, int column) -> std::uint8_t& {
        return cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column)];
    };
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (cell(r, c) != 0) return false;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) cell(r, c) = 1;
    return true;
}

}  // namespace linvara::gui
