#include "plan/plot_scale_bar.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "plan/plot_style.h"
#include "text/format.h"

namespace linvara::gui {
namespace {

QString MetresText(double metres) {
    return QString::fromStdString(metres >= 1000 ? text::Format("%g km", metres / 1000) : text::Format("%g m", metres));
}

}  // namespace

double RoundBarLength(double metres) {
    if (!(metres > 0) || !std::isfinite(metres)) return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(metres)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * decade <= metres) return step * decade;
    return decade;
}

void PaintScaleBar(QPainter& painter, const PlanLook& look, const QRectF& box, double metresPerPixel) {
    const double pad = look.Px(10);
    const double metres = RoundBarLength((box.width() - 2 * pad) * metresPerPixel * 0.85);
    if (!(metres > 0)) return;
    painter.save();
    const double length = metres / metresPerPixel;
    const double x = box.left() + pad;
    const double y = box.center().y();
    const double h = look.Px(6);
    painter.setPen(QPen(look.route, look.Px(0.8)));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(i % 2 == 0 ? look.route : look.background);
        painter.drawRect(QRectF(x + length * i / 4, y, length / 4, h));
    }
    QFont font = plot_style::PointLabelFont();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(look.Px(11)))));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double textTop = y - look.Px(4) - metrics.height();
    for (int i : {0, 2, 4}) {
        const QString mark = i == 0 ? QStringLiteral("0") : MetresText(metres * i / 4);
        const double w = metrics.horizontalAdvance(mark);
        painter.drawText(QPointF(x + length * i / 4 - w / 2, textTop + metrics.ascent()), mark);
    }
    painter.drawText(QRectF(x, y + h + look.Px(4), length, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("比例尺"));
    painter.restore();
}

}  // namespace linvara::gui
