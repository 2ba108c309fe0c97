#include "plan/plot_canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <utility>

namespace linvara::gui {

void PlotCanvas::SetData(ViewMode mode, const linvara::DHPointList& points) {
    points_ = points;  // reuses the buffers of the points it replaces
    TakeData(mode);
}

void PlotCanvas::SetData(ViewMode mode, linvara::DHPointList&& points) {
    points_ = std::move(points);
    TakeData(mode);
}

bool PlotCanvas::ReplacePoint(const linvara::DHPoint& point) {
    const int index = FindIndexByGpsId(points_, point.GPS_ID);
    if (index < 0) return false;
    points_[static_cast<std::size_t>(index)] = point;
    labels_.Forget(static_cast<std::size_t>(index));
    return true;
}

bool PlotCanvas::ReplacePointAt(std::size_t index, const linvara::DHPoint& point) {
    if (index >= points_.size()) return false;
    points_[index] = point;
    labels_.Forget(index);
    return true;
}

void PlotCanvas::InsertPoints(const std::vector<int>& indices, const linvara::DHPointList& from) {
    for (int index : indices) {
        const auto at = static_cast<std::size_t>(index);
        if (index < 0 || at > points_.size() || at >= from.size()) continue;
        const auto offset = static_cast<std::ptrdiff_t>(at);
        points_.insert(points_.begin() + offset, from[at]);
        // At the origin pixel until the next paint places it.
        screen_.insert(screen_.begin() + offset, ScreenPoint{});
        onScreen_.insert(onScreen_.begin() + offset, 1);
        picked_.insert(picked_.begin() + offset, 0);
        labels_.Insert(at);
    }
}

void PlotCanvas::RemovePoints(const std::vector<int>& indices) {
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
        const auto at = static_cast<std::size_t>(*it);
        if (*it < 0 || at >= points_.size()) continue;
        const auto offset = static_cast<std::ptrdiff_t>(at);
        points_.erase(points_.begin() + offset);
        screen_.erase(screen_.begin() + offset);
        onScreen_.erase(onScreen_.begin() + offset);
        picked_.erase(picked_.begin() + offset);
        labels_.Erase(at);
    }
}

void PlotCanvas::TakeData(ViewMode mode) {
    dataMode_ = mode;
    labels_.Reset(points_.size());
    // New points start unpicked, at the origin pixel, until the next paint places them.
    screen_.assign(points_.size(), ScreenPoint{});
    onScreen_.assign(points_.size(), 1);
    picked_.assign(points_.size(), 0);
}

std::optional<WorldExtent> ExtentOf(const linvara::DHPointList& points) {
    std::optional<WorldExtent> extent;
    for (const auto& p : points) {
        if (!std::isfinite(p.Dx) || !std::isfinite(p.Dy)) continue;
        if (!extent) {
            extent = WorldExtent{p.Dx, p.Dx, p.Dy, p.Dy};
            continue;
        }
        extent->minNorth = std::min(extent->minNorth, p.Dx);
        extent->maxNorth = std::max(extent->maxNorth, p.Dx);
        extent->minEast = std::min(extent->minEast, p.Dy);
        extent->maxEast = std::max(extent->maxEast, p.Dy);
    }
    return extent;
}

void PlotCanvas::FitToData(bool centre, bool scale) {
    if (const std::optional<WorldExtent> extent = ExtentOf(points_)) geometry_.Fit(*extent, centre, scale);
}

void PlotCanvas::UpdateScreenPositions() {
    const PlotRect& rect = geometry_.ClientRect();
    for (size_t i = 0; i < points_.size(); ++i) {
        const ScreenPoint s = geometry_.WorldToScreen(points_[i].Dx, points_[i].Dy);
        screen_[i] = s;
        // The pixel row and column at right/bottom lie outside the window.
        onScreen_[i] = s.x >= rect.left && s.x < rect.right && s.y >= rect.top && s.y < rect.bottom;
    }
}

bool PlotCanvas::PickInRect(const PlotRect& rect) {
    bool any = false;
    for (size_t i = 0; i < points_.size(); ++i) {
        const bool inside = rect.Contains(screen_[i].x, screen_[i].y);
        picked_[i] = inside;
        any = any || inside;
    }
    return any;
}

void PlotCanvas::PickIndices(const std::vector<std::size_t>& indices) {
    std::fill(picked_.begin(), picked_.end(), 0);
    for (std::size_t i : indices)
        if (i < picked_.size()) picked_[i] = 1;
}

bool PlotCanvas::PickNearest(int x, int y, int radius) {
    long long best = -1;
    std::size_t nearest = 0;
    for (size_t i = 0; i < points_.size(); ++i) {
        picked_[i] = 0;
        const long long dx = screen_[i].x - x, dy = screen_[i].y - y;
        if (std::llabs(dx) > radius || std::llabs(dy) > radius) continue;
        const long long distance = dx * dx + dy * dy;
        if (best < 0 || distance < best) {
            best = distance;
            nearest = i;
        }
    }
    if (best < 0) return false;
    picked_[nearest] = 1;
    return true;
}

int PlotCanvas::PickedCount() const {
    return static_cast<int>(std::count_if(picked_.begin(), picked_.end(), [](auto p) { return p != 0; }));
}

int PlotCanvas::TakeFirstPicked() {
    for (size_t i = 0; i < picked_.size(); ++i) {
        if (picked_[i]) {
            picked_[i] = 0;
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> PlotCanvas::PickedGpsIds() const {
    std::vector<std::string> ids;
    for (size_t i = 0; i < points_.size(); ++i)
        if (picked_[i]) ids.push_back(points_[i].GPS_ID);
    return ids;
}

void PlotCanvas::MouseMove(int x, int y) {
    switch (toolMode_) {
    case PanTool:
        redrawRequested_ = false;
        if (buttonDown_ == NoButton) return;
        if (rubberBand_) {
            corner_ = {x, y};
        } else {
            Pan(anchor_.x, anchor_.y, x, y);
            anchor_ = {x, y};
        }
        redrawRequested_ = true;
        break;
    case PickTool:
        corner_ = {x, y};
        redrawRequested_ = true;
        break;
    case ZoomWindowTool:
        corner_ = {x, y};
        if (buttonDown_ == NoButton) return;
        if (!rubberBand_) {
            Pan(anchor_.x, anchor_.y, x, y);
            anchor_ = {x, y};
        }
        redrawRequested_ = true;
        break;
    default:
        break;
    }
}

void PlotCanvas::ButtonUp(int x, int y) {
    redrawRequested_ = false;
    if (buttonDown_ != NoButton) {
        buttonDown_ = NoButton;
        RecordView();
    }
    if (rubberBand_) {
        ZoomToRect(anchor_.x, anchor_.y, x, y);
        rubberBand_ = false;
        redrawRequested_ = true;
    }
}

}  // namespace linvara::gui
