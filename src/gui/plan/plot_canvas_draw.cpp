#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "plan/plot_canvas.h"
#include "plan/plot_style.h"
#include "text/format.h"

namespace linvara::gui {

namespace {

QString NumberLabel(double value) { return QString::fromStdString(linvara::text::Format("%.0f", value)); }

}  // namespace

void PlotCanvas::Draw(QPainter& painter, bool pickDrag) {
    DrawRubberBand(painter, pickDrag);
    DrawGrid(painter);
    UpdateScreenPositions();
    // The route line goes under the points so it never crosses out a stake's symbol.
    DrawRouteLine(painter);
    DrawPoints(painter);
}

void PlotCanvas::DrawRubberBand(QPainter& painter, bool pickDrag) const {
    const bool shown = toolMode_ == PickTool ? pickDrag : rubberBand_;
    if (!shown) return;
    painter.setPen(QPen(plot_style::RubberBandColour(), 0, toolMode_ == PanTool ? Qt::SolidLine : Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(anchor_.x, anchor_.y), QPoint(corner_.x, corner_.y)).normalized());
}

void PlotCanvas::DrawGrid(QPainter& painter) {
    geometry_.UpdateGridStep();
    const GridLayout grid = geometry_.Grid();
    const PlotRect& rect = geometry_.ClientRect();
    painter.setPen(QPen(plot_style::GridColour(), 0, Qt::DashDotDotLine));
    for (const auto& line : grid.northLines) painter.drawLine(rect.left, line.pixel, rect.right, line.pixel);
    for (const auto& line : grid.eastLines) painter.drawLine(line.pixel, rect.top, line.pixel, rect.bottom);

    painter.setFont(plot_style::GridLabelFont());
    painter.setPen(plot_style::GridLabelColour());
    const int ascent = QFontMetrics(plot_style::GridLabelFont()).ascent();
    for (const auto& line : grid.northLines)
        painter.drawText(QPoint(rect.left, line.pixel + ascent), NumberLabel(line.value));
    for (const auto& line : grid.eastLines)
        painter.drawText(QPoint(line.pixel, rect.top + ascent), NumberLabel(line.value));
}

QColor PlotCanvas::ColourOf(size_t index) const {
    return plot_style::PointColour(points_[index].DHType, toolMode_ == PickTool && picked_[index]);
}

void PlotCanvas::DrawPoints(QPainter& painter) {
    for (size_t i = 0; i < points_.size(); ++i) {
        if (!onScreen_[i]) continue;
        const ScreenPoint s = screen_[i];
        painter.drawImage(QPoint(s.x - plot_style::kSymbolHalf, s.y - plot_style::kSymbolHalf),
                          plot_style::PointSymbol(ColourOf(i)));
    }
    // The stakes are labelled first: where labels would overlap, theirs stay.
    const PlotRect& rect = geometry_.ClientRect();
    labelGrid_.Reset(rect.right, rect.bottom);
    painter.setFont(plot_style::PointLabelFont());
    DrawLabels(painter, true);
    DrawLabels(painter, false);
}

void PlotCanvas::DrawLabels(QPainter& painter, bool stakes) {
    const QFontMetrics metrics(plot_style::PointLabelFont());
    const int ascent = metrics.ascent();
    const int height = metrics.height();
    QColor penColour;
    for (size_t i = 0; i < points_.size(); ++i) {
        const auto& p = points_[i];
        const bool stake = p.DHType == linvara::JStake || p.DHType == linvara::ZStake;
        if (stake != stakes || !onScreen_[i]) continue;
        // A label goes only where no earlier label stands; testing its first
        // cell before anything else spares making texts that cannot be placed.
        const ScreenPoint s = screen_[i];
        const int x = s.x + 5;
        if (labelGrid_.Taken(x, s.y)) continue;
        if (!labelGrid_.Claim(x, s.y, labels_.Width(i, p, metrics), height)) continue;
        const QColor colour = ColourOf(i);
        if (colour != penColour) {
            painter.setPen(colour);
            penColour = colour;
        }
        painter.drawText(QPoint(x, s.y + ascent), labels_.Text(i, p));
    }
}

void PlotCanvas::DrawRouteLine(QPainter& painter) const {
    QPolygon route;
    for (size_t i = 0; i < points_.size(); ++i)
        if (points_[i].DHType == linvara::JStake) route << QPoint(screen_[i].x, screen_[i].y);
    if (route.size() < 2) return;
    painter.setPen(QPen(plot_style::RouteColour(), 0));
    painter.drawPolyline(route);
}

}  // namespace linvara::gui
