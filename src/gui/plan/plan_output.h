#pragma once
#include <QPageSize>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <string>

#include "model/dh_point_list.h"
#include "status.h"

class QPainter;

namespace linvara::gui {

// The plan drawing handed in with a survey: the route as the plan view draws
// it, on a sheet with title block, scale bar, north arrow and legend, as a
// PNG image, an SVG drawing, a PDF page or a printed page.

enum class PlanFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (any case), if any.
std::optional<PlanFormat> PlanFormatOf(const QString& path);

struct PlanSource {
    const linvara::DHPointList& points;  // the working stake list
    QString title;                       // the project
    QString date;
};

struct PlanOptions {
    QSize size{1600, 1200};                     // PNG and SVG, in pixels
    QPageSize::PageSizeId paper = QPageSize::A4;  // PDF
    int scale = 0;                              // PDF: 1:scale; 0 fits the route to the page
    bool labels = true;
};

// The smallest and largest sizes a PNG or SVG sheet is drawn at.
constexpr int kMinPlanWidth = 320;
constexpr int kMinPlanHeight = 240;
constexpr int kMaxPlanSide = 20000;

// The scale field's choice that fits the route to the page.
inline const QString kFitToPage = QStringLiteral("适合页面");
// A scale typed as "1:N" (full-width colon and spaces allowed) as N; 0 for
// empty or kFitToPage; -1 when it is neither.
int ParsePlanScale(const QString& text);

// Whether any point has a position: a plan of none draws nothing.
bool PlanHasPoints(const linvara::DHPointList& points);

// Writes the plan to `path` in the format of its extension, atomically: a
// failure leaves no file. A project without points is refused. `note`
// receives a remark that is no failure (points off the page at the chosen
// scale), or stays empty.
Status WritePlan(const PlanSource& source, const QString& path, const PlanOptions& options, std::string* note = nullptr);

// Paints a plan sheet at `dpi` filling `page` of a paged device (a PDF
// writer, a printer), at 1:scale or, with scale 0, at the round scale that
// fits the route on the page (1:500 at the largest). Returns the scale
// used, 0 when no point has a position (nothing is painted); `allOnMap`
// receives whether every point lies on the map.
int PaintPlanPage(QPainter& painter, const QRect& page, int dpi, const PlanSource& source, int scale, bool labels,
                  bool* allOnMap = nullptr);

// Paints a plan sheet on a screen-sized image or drawing of `page` pixels,
// the map fitted as the plan view's 居中显示 fits it.
void PaintPlanImage(QPainter& painter, const QRect& page, const PlanSource& source, bool labels);

// Whether the points are wider (east) than high (north): such a route is
// printed on a landscape page.
bool PlanIsWide(const linvara::DHPointList& points);

// The round scale 1:N (1, 2, 2.5 or 5 times a power of ten) at or above `n`.
int RoundScaleAtLeast(double n);

}  // namespace linvara::gui
