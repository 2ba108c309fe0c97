#include "plan/plot_style.h"

#include <QPainter>
#include <QStringList>
#include <map>

#include "model/dh_point.h"

namespace linvara::gui::plot_style {
namespace {

// Points are sized for a 96-dpi screen, whatever the paint device reports.
int PixelsOfPoints(int points) { return (points * 96 + 36) / 72; }

QFont MakeFont(int points) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("System"),
                      QStringLiteral("Times New Roman"), QStringLiteral("Sans Serif")});
    font.setPixelSize(PixelsOfPoints(points));
    return font;
}

QImage MakeSymbol(const QColor& colour) {
    const int size = 2 * kSymbolHalf + 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QPoint centre(kSymbolHalf, kSymbolHalf);
    painter.setPen(QPen(colour, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 4, 4);
    painter.setBrush(colour);
    painter.drawEllipse(centre, 2, 2);
    return image;
}

}  // namespace

QColor PointColour(int dhType, bool picked) {
    if (picked) return PickedColour();
    if (dhType == linvara::JStake) return JStakeColour();
    if (dhType == linvara::ZStake) return ZStakeColour();
    return OtherColour();
}

const QFont& GridLabelFont() {
    static const QFont font = MakeFont(11);
    return font;
}

const QFont& PointLabelFont() {
    static const QFont font = MakeFont(9);
    return font;
}

const QImage& PointSymbol(const QColor& colour) {
    static std::map<QRgb, QImage> symbols;
    auto it = symbols.find(colour.rgb());
    if (it == symbols.end()) it = symbols.emplace(colour.rgb(), MakeSymbol(colour)).first;
    return it->second;
}

}  // namespace linvara::gui::plot_style
