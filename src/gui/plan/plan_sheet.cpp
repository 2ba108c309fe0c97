#include "plan/plan_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "plan/plot_canvas.h"
#include "plan/plot_scale_bar.h"
#include "plan/plot_style.h"

namespace linvara::gui::plan_sheet {
namespace {

// Screen pixels of the page margin and of the band under the map.
constexpr double kMargin = 12;
constexpr double kBand = 96;

QFont SheetFont(const PlanLook& look, double screenPixels, bool bold = false) {
    QFont font = plot_style::PointLabelFont();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(look.Px(screenPixels)))));
    font.setBold(bold);
    return font;
}

QPen Pen(const PlanLook& look, double screenPixels, const QColor& colour = Qt::black) {
    return QPen(colour, look.Px(screenPixels));
}

QRectF Inner(const QRect& page, const PlanLook& look) {
    const double m = look.Px(kMargin);
    return QRectF(page).adjusted(m, m, -m, -m);
}

QRectF Band(const QRect& page, const PlanLook& look) {
    const QRectF inner = Inner(page, look);
    return QRectF(inner.left(), inner.bottom() - look.Px(kBand), inner.width(), look.Px(kBand));
}

// The kinds as the plan tells them apart, two to a column.
void PaintLegend(QPainter& painter, const PlanLook& look, const QRectF& box) {
    painter.setFont(SheetFont(look, 13, true));
    painter.setPen(Qt::black);
    const double pad = look.Px(8);
    painter.drawText(QRectF(box.left() + pad, box.top() + pad, box.width(), look.Px(18)), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("图例"));
    painter.setFont(SheetFont(look, 12));
    struct Entry {
        QString text;
        QColor colour;
        bool line;
    };
    const std::array<Entry, 4> entries = {{{QStringLiteral("J桩（转角桩）"), look.jStake, false},
                                           {QStringLiteral("Z桩（直线桩）"), look.zStake, false},
                                           {QStringLiteral("其他点"), look.other, false},
                                           {QStringLiteral("线路"), look.route, true}}};
    const double rowHeight = (box.height() - look.Px(26) - pad) / 2;
    const double columnWidth = (box.width() - pad) / 2;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double x = box.left() + pad + static_cast<double>(i / 2) * columnWidth;
        const double y = box.top() + look.Px(26) + pad / 2 + static_cast<double>(i % 2) * rowHeight + rowHeight / 2;
        const QPointF symbol(x + look.Px(10), y);
        if (entries[i].line) {
            painter.setPen(Pen(look, 1.2, entries[i].colour));
            painter.drawLine(QPointF(x, y), QPointF(x + look.Px(20), y));
        } else {
            PaintPointSymbol(painter, look, symbol, entries[i].colour, look.Px(1));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + look.Px(28), y - rowHeight / 2, columnWidth - look.Px(30), rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, entries[i].text);
    }
}

// The map is drawn with north up.
void PaintNorthArrow(QPainter& painter, const PlanLook& look, const QRectF& box) {
    const QPointF c = box.center();
    const double h = std::min(box.height() * 0.55, look.Px(44));
    const double w = h * 0.36;
    const QPointF tip(c.x(), c.y() - h / 2 + look.Px(6));
    const QPointF base(c.x(), c.y() + h / 2);
    QPainterPath left, right;
    left.moveTo(tip);
    left.lineTo(c.x() - w, base.y());
    left.lineTo(c.x(), base.y() - h * 0.25);
    left.closeSubpath();
    right.moveTo(tip);
    right.lineTo(c.x() + w, base.y());
    right.lineTo(c.x(), base.y() - h * 0.25);
    right.closeSubpath();
    painter.setPen(Pen(look, 1));
    painter.setBrush(Qt::black);
    painter.drawPath(left);
    painter.setBrush(Qt::white);
    painter.drawPath(right);
    painter.setFont(SheetFont(look, 14, true));
    painter.drawText(QRectF(box.left(), tip.y() - look.Px(22), box.width(), look.Px(20)), Qt::AlignCenter,
                     QStringLiteral("N"));
}

void PaintTitleBlock(QPainter& painter, const PlanLook& look, const QRectF& box, const PlanSheetText& text) {
    const double row = box.height() / 4;
    const double labelWidth = std::min(box.width() * 0.25, look.Px(56));
    painter.setPen(Pen(look, 0.8));
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i < 4; ++i) painter.drawLine(QPointF(box.left(), box.top() + row * i), QPointF(box.right(), box.top() + row * i));
    painter.drawLine(QPointF(box.left() + labelWidth, box.top() + row), QPointF(box.left() + labelWidth, box.bottom()));
    painter.setFont(SheetFont(look, 15, true));
    painter.drawText(QRectF(box.left(), box.top(), box.width(), row), Qt::AlignCenter, QStringLiteral("线路平面图"));
    const std::array<std::pair<QString, QString>, 3> rows = {{{QStringLiteral("工程"), text.title},
                                                              {QStringLiteral("日期"), text.date},
                                                              {QStringLiteral("比例"), text.scale}}};
    const double pad = look.Px(6);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double top = box.top() + row * static_cast<double>(i + 1);
        painter.setFont(SheetFont(look, 12, true));
        painter.drawText(QRectF(box.left(), top, labelWidth, row), Qt::AlignCenter, rows[i].first);
        painter.setFont(SheetFont(look, 12));
        const QRectF value(box.left() + labelWidth + pad, top, box.width() - labelWidth - 2 * pad, row);
        painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetrics(painter.font()).elidedText(rows[i].second, Qt::ElideMiddle, static_cast<int>(value.width())));
    }
}

}  // namespace

QRect MapRect(const QRect& page, const PlanLook& look) {
    const QRectF inner = Inner(page, look);
    const QRectF map(inner.left(), inner.top(), inner.width(), inner.height() - look.Px(kBand));
    return map.toAlignedRect().adjusted(1, 1, -1, -1);
}

void Paint(QPainter& painter, const QRect& page, PlotCanvas& canvas, const PlanLook& look, const PlanSheetText& text) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(page, look.background);
    const QRect map = MapRect(page, look);
    painter.save();
    painter.setClipRect(map);
    canvas.Paint(painter, look);
    painter.restore();

    const QRectF inner = Inner(page, look);
    const QRectF band = Band(page, look);
    painter.setPen(Pen(look, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
    painter.drawLine(band.topLeft(), band.topRight());
    // Legend, scale bar, north arrow and title block share the band.
    const double w = band.width();
    const QRectF legend(band.left(), band.top(), w * 0.34, band.height());
    const QRectF bar(legend.right(), band.top(), w * 0.24, band.height());
    const QRectF north(bar.right(), band.top(), w * 0.08, band.height());
    const QRectF title(north.right(), band.top(), band.right() - north.right(), band.height());
    painter.setPen(Pen(look, 1));
    for (const QRectF& part : {bar, north, title}) painter.drawLine(part.topLeft(), part.bottomLeft());
    PaintLegend(painter, look, legend);
    PaintScaleBar(painter, look, bar, canvas.Geometry().Resolution() / 100.0);
    PaintNorthArrow(painter, look, north);
    PaintTitleBlock(painter, look, title, text);
    painter.restore();
}

}  // namespace linvara::gui::plan_sheet
