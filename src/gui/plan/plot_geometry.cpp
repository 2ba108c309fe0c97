#include "plan/plot_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace linvara::gui {

namespace {

// Pixel offsets far outside any window are clamped so that a deep zoom on a
// wide route never overflows an int.
int ToPixelOffset(double value) {
    constexpr double kLimit = 1.0e8;
    if (!(value > -kLimit)) return -static_cast<int>(kLimit);  // also NaN
    if (value > kLimit) return static_cast<int>(kLimit);
    return static_cast<int>(std::trunc(value));
}

int LeadingDigit(std::int64_t value) {
    while (value >= 10) value /= 10;
    return static_cast<int>(value);
}

// 10^trunc(log10(extent)); extents below 1 m give 1.
std::int64_t DecadeOf(double extent) {
    const int exponent = std::clamp(static_cast<int>(std::log10(extent)), 0, 9);
    std::int64_t decade = 1;
    for (int i = 0; i < exponent; ++i) decade *= 10;
    return decade;
}

}  // namespace

PlotRect PlotRect::Spanning(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

ScreenPoint PlotGeometry::WorldToScreen(double north, double east) const {
    const double r = state_.resolution;
    return {CentreX() + ToPixelOffset((east - state_.centreEast) * 100.0 / r),
            CentreY() - ToPixelOffset((north - state_.centreNorth) * 100.0 / r)};
}

WorldPoint PlotGeometry::ScreenToWorld(int x, int y) const {
    const double r = state_.resolution;
    return {static_cast<double>(CentreY() - y) * r / 100.0 + state_.centreNorth,
            static_cast<double>(x - CentreX()) * r / 100.0 + state_.centreEast};
}

void PlotGeometry::SetCentre(double north, double east) {
    state_.centreNorth = north;
    state_.centreEast = east;
}

void PlotGeometry::Fit(const WorldExtent& extent, bool centre, bool scale) {
    if (centre) {
        state_.centreNorth = (extent.maxNorth + extent.minNorth) / 2;
        state_.centreEast = (extent.maxEast + extent.minEast) / 2;
    }
    if (scale && !rect_.IsEmpty()) {
        const double e = (extent.maxEast - extent.minEast) / rect_.Width();
        const double n = (extent.maxNorth - extent.minNorth) / rect_.Height();
        const double r = std::max(e, n) * 100.0 / 0.8;
        // A single point (or points on one spot) has no size to fit: keep the scale.
        if (std::isfinite(r) && r > 0) state_.resolution = std::max(r, kMinWindowResolution);
    }
    RecordView();
}

// A view already closer than the bound (after a zoom window) stays put
// instead of jumping back out.
double PlotGeometry::ZoomedIn() const {
    const double r = state_.resolution;
    return std::max(r / kZoomFactor, std::min(r, kMinZoomResolution));
}

double PlotGeometry::ZoomedOut() const {
    const double r = state_.resolution;
    return std::min(r * kZoomFactor, std::max(r, kMaxZoomResolution));
}

void PlotGeometry::ZoomIn() {
    state_.resolution = ZoomedIn();
    RecordView();
}

void PlotGeometry::ZoomOut() {
    state_.resolution = ZoomedOut();
    RecordView();
}

void PlotGeometry::ZoomAbout(int x, int y, bool in) {
    const WorldPoint fixed = ScreenToWorld(x, y);
    state_.resolution = in ? ZoomedIn() : ZoomedOut();
    // ScreenToWorld solved for the centre at the new resolution.
    const double r = state_.resolution;
    state_.centreNorth = fixed.north - static_cast<double>(CentreY() - y) * r / 100.0;
    state_.centreEast = fixed.east - static_cast<double>(x - CentreX()) * r / 100.0;
    RecordView();
}

void PlotGeometry::CenterOn(double north, double east, double resolution) {
    SetCentre(north, east);
    state_.resolution = std::min(state_.resolution, std::max(resolution, kMinZoomResolution));
    RecordView();
}

void PlotGeometry::ZoomToRect(int x1, int y1, int x2, int y2) {
    const double r = state_.resolution;
    state_.centreNorth += static_cast<double>(CentreY() - (y1 + y2) / 2) * r / 100.0;
    state_.centreEast += static_cast<double>((x1 + x2) / 2 - CentreX()) * r / 100.0;
    if (!rect_.IsEmpty()) {
        const double ratio = std::max(static_cast<double>(x2 - x1) / rect_.Width(),
                                      static_cast<double>(y2 - y1) / rect_.Height());
        state_.resolution = std::max(r * ratio / 0.8, kMinWindowResolution);
    }
    RecordView();
}

void PlotGeometry::Pan(int fromX, int fromY, int toX, int toY) {
    const double r = state_.resolution;
    state_.centreNorth += static_cast<double>(toY - fromY) * r / 100.0;
    state_.centreEast += static_cast<double>(fromX - toX) * r / 100.0;
}

void PlotGeometry::RecordView() {
    // The step belongs to the view; keep it current so that the same view
    // recorded before and after a repaint compares equal.
    UpdateGridStep();
    if (!history_.empty()) {
        history_.resize(static_cast<size_t>(current_) + 1);
        if (history_.back() == state_) return;
    }
    history_.push_back(state_);
    current_ = static_cast<int>(history_.size()) - 1;
}

bool PlotGeometry::PreviousView() {
    if (current_ <= 0) return false;
    state_ = history_[static_cast<size_t>(--current_)];
    return true;
}

bool PlotGeometry::NextView() {
    if (current_ < 0 || current_ + 1 >= static_cast<int>(history_.size())) return false;
    state_ = history_[static_cast<size_t>(++current_)];
    return true;
}

int PlotGeometry::GridStepFor(double northExtent, double eastExtent, int width) {
    if (width <= 0 || !(northExtent > 0) || !(eastExtent > 0)) return 1;
    std::int64_t step = std::min(DecadeOf(northExtent), DecadeOf(eastExtent));
    const double low = width / 12.0;
    const double high = width / 4.0;
    constexpr std::int64_t kMaxStep = 1000000000;
    for (int guard = 0; guard < 64; ++guard) {
        const double p = width * static_cast<double>(step) / eastExtent;
        if (!(p > 0) || (p >= low && p <= high)) break;
        const int digit = LeadingDigit(step);
        if (p < low) {
            if (step >= kMaxStep) break;
            step = digit == 2 ? step * 5 / 2 : step * 2;
        } else {
            if (step <= 1) break;  // the step is whole metres
            step = digit == 5 ? step * 2 / 5 : step / 2;
        }
    }
    return static_cast<int>(step);
}

int PlotGeometry::UpdateGridStep() {
    const double r = state_.resolution;
    state_.gridStep = GridStepFor(rect_.Height() * r / 100.0, rect_.Width() * r / 100.0, rect_.Width());
    return state_.gridStep;
}

GridLayout PlotGeometry::Grid() const {
    GridLayout grid;
    grid.step = state_.gridStep;
    if (rect_.IsEmpty() || grid.step <= 0) return grid;
    const double step = grid.step;
    const WorldPoint bottomLeft = ScreenToWorld(rect_.left, rect_.bottom);
    const WorldPoint topRight = ScreenToWorld(rect_.right, rect_.top);
    constexpr int kMaxLines = 1000;
    // "+ 0.0" turns a -0 into 0, so the label never reads "-0".
    for (double k = std::ceil(bottomLeft.north / step); k * step <= topRight.north; k += 1) {
        if (static_cast<int>(grid.northLines.size()) >= kMaxLines) break;
        const double value = k * step + 0.0;
        grid.northLines.push_back({WorldToScreen(value, state_.centreEast).y, value});
    }
    for (double k = std::ceil(bottomLeft.east / step); k * step <= topRight.east; k += 1) {
        if (static_cast<int>(grid.eastLines.size()) >= kMaxLines) break;
        const double value = k * step + 0.0;
        grid.eastLines.push_back({WorldToScreen(state_.centreNorth, value).x, value});
    }
    return grid;
}

}  // namespace linvara::gui
