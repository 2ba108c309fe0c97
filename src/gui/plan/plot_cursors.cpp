#include "plan/plot_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace linvara::gui::plot_cursors {
namespace {

constexpr int kSize = 32;

// Fingers as (left, top, height) columns of width 4 above the palm.
struct Finger {
    int left;
    int top;
    int height;
};

QCursor HandCursor(const Finger (&fingers)[4], bool thumbOut) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 14, 17, 13), 4, 4);  // palm
    for (const auto& f : fingers) hand.addRoundedRect(QRectF(f.left, f.top, 4, f.height), 2, 2);
    if (thumbOut)
        hand.addRoundedRect(QRectF(3, 15, 8, 4), 2, 2);
    else
        hand.addRoundedRect(QRectF(6, 15, 5, 4), 2, 2);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand.simplified());
    // Creases between the fingers.
    for (int i = 1; i < 4; ++i) painter.drawLine(QPointF(fingers[i].left, 15), QPointF(fingers[i].left, 19));
    painter.end();
    return QCursor(pixmap, 16, 16);
}

}  // namespace

QCursor OpenHand() {
    static const Finger fingers[4] = {{9, 5, 12}, {13, 3, 14}, {17, 4, 13}, {21, 7, 10}};
    return HandCursor(fingers, true);
}

QCursor ClosedHand() {
    static const Finger fingers[4] = {{9, 11, 6}, {13, 10, 7}, {17, 10, 7}, {21, 11, 6}};
    return HandCursor(fingers, false);
}

}  // namespace linvara::gui::plot_cursors
