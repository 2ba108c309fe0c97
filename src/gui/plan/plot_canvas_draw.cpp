#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include "plan/plot_canvas.h"
#include "plan/plot_style.h"
#include "text/format.h"

namespace linvara::gui {

namespace {

QString NumberLabel(double value) { return QString::fromStdString(linvara::text::Format("%.0f", value)); }

// Detail points first, then Z stakes, J stakes last: a J stake is never
// buried under the points measured around it.
int LayerOf(int dhType) {
    if (dhType == linvara::JStake) return 2;
    if (dhType == linvara::ZStake) return 1;
    return 0;
}

// Hairlines on the screen; on other devices a pen of `screenPixels` there.
double LineWidth(const PlanLook& look, double screenPixels) { return look.unit == 1.0 ? 0.0 : look.Px(screenPixels); }

QPen LinePen(const PlanLook& look, const QColor& colour, double screenPixels, Qt::PenStyle style = Qt::SolidLine) {
    return QPen(colour, LineWidth(look, screenPixels), style);
}

}  // namespace

void PlotCanvas::Draw(QPainter& painter, bool pickDrag) {
    DrawRubberBand(painter, pickDrag);
    Paint(painter, PlanLook::Screen());
}

void PlotCanvas::Paint(QPainter& painter, const PlanLook& look) {
    DrawGrid(painter, look);
    UpdateScreenPositions();
    // The route line goes under the points so it never crosses out a stake's symbol.
    DrawRouteLine(painter, look);
    DrawPoints(painter, look);
}

void PlotCanvas::DrawRubberBand(QPainter& painter, bool pickDrag) const {
    const bool shown = toolMode_ == PickTool ? pickDrag : rubberBand_;
    if (!shown) return;
    painter.setPen(QPen(plot_style::RubberBandColour(), 0, toolMode_ == PanTool ? Qt::SolidLine : Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(anchor_.x, anchor_.y), QPoint(corner_.x, corner_.y)).normalized());
}

void PlotCanvas::DrawGrid(QPainter& painter, const PlanLook& look) {
    geometry_.UpdateGridStep();
    const GridLayout grid = geometry_.Grid();
    const PlotRect& rect = geometry_.ClientRect();
    painter.setPen(LinePen(look, look.grid, 0.5, Qt::DashDotDotLine));
    for (const auto& line : grid.northLines) painter.drawLine(rect.left, line.pixel, rect.right, line.pixel);
    for (const auto& line : grid.eastLines) painter.drawLine(line.pixel, rect.top, line.pixel, rect.bottom);

    const QFont font = look.Scaled(plot_style::GridLabelFont());
    painter.setFont(font);
    painter.setPen(look.gridLabel);
    const int ascent = QFontMetrics(font).ascent();
    for (const auto& line : grid.northLines)
        painter.drawText(QPoint(rect.left, line.pixel + ascent), NumberLabel(line.value));
    for (const auto& line : grid.eastLines)
        painter.drawText(QPoint(line.pixel, rect.top + ascent), NumberLabel(line.value));
}

QColor PlotCanvas::ColourOf(size_t index, const PlanLook& look) const {
    if (toolMode_ == PickTool && picked_[index]) return plot_style::PickedColour();
    return look.PointColour(points_[index].DHType);
}

void PlotCanvas::DrawPoints(QPainter& painter, const PlanLook& look) {
    for (int layer = 0; layer < 3; ++layer) {
        for (size_t i = 0; i < points_.size(); ++i) {
            if (!onScreen_[i] || LayerOf(points_[i].DHType) != layer) continue;
            const ScreenPoint s = screen_[i];
            const QColor colour = ColourOf(i, look);
            if (!look.vectorSymbols) {
                painter.drawImage(QPoint(s.x - plot_style::kSymbolHalf, s.y - plot_style::kSymbolHalf),
                                  plot_style::PointSymbol(colour));
                continue;
            }
            PaintPointSymbol(painter, look, QPointF(s.x, s.y), colour, LineWidth(look, 1));
        }
    }
    if (!look.labels) return;
    // The stakes are labelled first: where labels would overlap, theirs stay.
    const PlotRect& rect = geometry_.ClientRect();
    labelGrid_.Reset(rect.right, rect.bottom);
    painter.setFont(look.Scaled(plot_style::PointLabelFont()));
    DrawLabels(painter, look, true);
    DrawLabels(painter, look, false);
}

void PlotCanvas::DrawLabels(QPainter& painter, const PlanLook& look, bool stakes) {
    const QFontMetrics metrics(painter.font());
    const int ascent = metrics.ascent();
    const int height = metrics.height();
    const int gap = static_cast<int>(look.Px(5));
    QColor penColour;
    for (size_t i = 0; i < points_.size(); ++i) {
        const auto& p = points_[i];
        const bool stake = p.DHType == linvara::JStake || p.DHType == linvara::ZStake;
        if (stake != stakes || !onScreen_[i]) continue;
        // A label goes only where no earlier label stands; testing its first
        // cell before anything else spares making texts that cannot be placed.
        const ScreenPoint s = screen_[i];
        const int x = s.x + gap;
        if (labelGrid_.Taken(x, s.y)) continue;
        // The widths kept are the screen font's.
        const int width = look.unit == 1.0 ? labels_.Width(i, p, metrics)
                                           : metrics.horizontalAdvance(labels_.Text(i, p));
        if (!labelGrid_.Claim(x, s.y, width, height)) continue;
        const QColor colour = ColourOf(i, look);
        if (colour != penColour) {
            painter.setPen(colour);
            penColour = colour;
        }
        painter.drawText(QPoint(x, s.y + ascent), labels_.Text(i, p));
    }
}

void PlotCanvas::DrawRouteLine(QPainter& painter, const PlanLook& look) const {
    QPolygonF route;
    for (size_t i = 0; i < points_.size(); ++i)
        if (points_[i].DHType == linvara::JStake) route << QPointF(screen_[i].x, screen_[i].y);
    if (route.size() < 2) return;
    painter.setPen(LinePen(look, look.route, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(route);
}

}  // namespace linvara::gui
