#pragma once
#include <vector>

namespace linvara::gui {

// The plan view's mapping between world coordinates (north, east in metres)
// and pixels, its zoom bounds, its grid step and its history of views. No
// painting here, so all of it can be checked without pixels.

struct PlotRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Inclusive on every side: a click square of ±20 px includes its edges.
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    // The rectangle spanned by two corners given in any order.
    static PlotRect Spanning(int x1, int y1, int x2, int y2);
    bool operator==(const PlotRect&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct WorldPoint {
    double north = 0;
    double east = 0;
};

// One entry of the view history; two states are the same view when all four
// values are equal.
struct ViewState {
    double centreNorth = 0;
    double centreEast = 0;
    double resolution = 1000.0;
    int gridStep = 1000;
    bool operator==(const ViewState&) const = default;
};

// Bounding box of the data in world coordinates.
struct WorldExtent {
    double minNorth = 0;
    double maxNorth = 0;
    double minEast = 0;
    double maxEast = 0;
};

// One grid line: its pixel position (y of a north line, x of an east line)
// and the world value it marks.
struct GridLine {
    int pixel = 0;
    double value = 0;
};

struct GridLayout {
    int step = 0;
    std::vector<GridLine> northLines;  // horizontal
    std::vector<GridLine> eastLines;   // vertical
};

class PlotGeometry {
public:
    static constexpr double kMinZoomResolution = 0.6;     // zoom in stops here
    static constexpr double kMaxZoomResolution = 500000;  // zoom out stops here
    static constexpr double kMinWindowResolution = 0.5;   // zoom window and fit
    static constexpr double kZoomFactor = 1.1;

    void SetClientRect(const PlotRect& rect) { rect_ = rect; }
    const PlotRect& ClientRect() const { return rect_; }
    int CentreX() const { return (rect_.left + rect_.right) / 2; }
    int CentreY() const { return (rect_.top + rect_.bottom) / 2; }

    ScreenPoint WorldToScreen(double north, double east) const;
    WorldPoint ScreenToWorld(int x, int y) const;

    double CentreNorth() const { return state_.centreNorth; }
    double CentreEast() const { return state_.centreEast; }
    double Resolution() const { return state_.resolution; }
    int GridStep() const { return state_.gridStep; }
    const ViewState& State() const { return state_; }
    void SetCentre(double north, double east);
    void SetResolution(double resolution) { state_.resolution = resolution; }

    // Centre on and/or scale to the extent, then record the view.
    void Fit(const WorldExtent& extent, bool centre, bool scale);
    void ZoomIn();
    void ZoomOut();
    // One zoom step in or out about pixel (x, y): the world point under it
    // stays under it, as maps zoom about the cursor.
    void ZoomAbout(int x, int y, bool in);
    // Centres the view on the world point, zoomed in to at least
    // `resolution`, and records the view.
    void CenterOn(double north, double east, double resolution);
    void ZoomToRect(int x1, int y1, int x2, int y2);
    void Pan(int fromX, int fromY, int toX, int toY);

    void RecordView();
    bool PreviousView();
    bool NextView();
    const std::vector<ViewState>& History() const { return history_; }
    int CurrentView() const { return current_; }

    // The grid step for the current view, also stored as the view's step.
    int UpdateGridStep();
    // The lines of the grid with the current step.
    GridLayout Grid() const;

    // The grid step whose pixel spacing lies between width/12 and width/4,
    // along the series 1, 2, 5, 10, 20, 50 ...; at least 1 metre.
    static int GridStepFor(double northExtent, double eastExtent, int width);

private:
    double ZoomedIn() const;
    double ZoomedOut() const;

    PlotRect rect_;
    ViewState state_;
    std::vector<ViewState> history_;
    int current_ = -1;
};

}  // namespace linvara::gui
