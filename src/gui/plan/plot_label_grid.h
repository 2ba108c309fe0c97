#pragma once
#include <cstdint>
#include <vector>

namespace linvara::gui {

// Which parts of the window already carry a label, in cells of a few
// pixels, so that a label overlapping an earlier one is left out: with tens
// of thousands of points on screen the labels would pile up unreadably and
// cost most of the paint.
class PlotLabelGrid {
public:
    static constexpr int kCell = 4;

    void Reset(int width, int height);
    // Whether the cell holding pixel (x, y) is taken; outside counts as free.
    bool Taken(int x, int y) const;
    // Claims the rectangle when none of its cells is taken; false otherwise.
    // Parts outside the window are ignored.
    bool Claim(int left, int top, int width, int height);

private:
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::uint8_t> cells_;
};

}  // namespace linvara::gui
