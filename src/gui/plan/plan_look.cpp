#include "plan/plan_look.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/dh_point.h"
#include "plan/plot_style.h"

namespace linvara::gui {

PlanLook PlanLook::Screen() {
    PlanLook look;
    look.background = Qt::black;
    look.jStake = plot_style::JStakeColour();
    look.zStake = plot_style::ZStakeColour();
    look.other = plot_style::OtherColour();
    look.route = plot_style::RouteColour();
    look.grid = plot_style::GridColour();
    look.gridLabel = plot_style::GridLabelColour();
    return look;
}

// On white the screen's white and pink would vanish: the same hues, darker.
PlanLook PlanLook::Paper(double unit) {
    PlanLook look;
    look.background = Qt::white;
    look.jStake = QColor(220, 0, 0);
    look.zStake = QColor(190, 0, 190);
    look.other = QColor(70, 70, 70);
    look.route = Qt::black;
    look.grid = QColor(175, 175, 175);
    look.gridLabel = QColor(110, 110, 110);
    look.unit = unit;
    look.vectorSymbols = true;
    return look;
}

QColor PlanLook::PointColour(int dhType) const {
    if (dhType == linvara::JStake) return jStake;
    if (dhType == linvara::ZStake) return zStake;
    return other;
}

QFont PlanLook::Scaled(const QFont& font) const {
    if (unit == 1.0) return font;
    QFont scaled = font;
    scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * unit))));
    return scaled;
}

void PaintPointSymbol(QPainter& painter, const PlanLook& look, const QPointF& centre, const QColor& colour,
                      double ringWidth) {
    painter.setPen(QPen(colour, ringWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, look.Px(4), look.Px(4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, look.Px(2.5), look.Px(2.5));
}

}  // namespace linvara::gui
