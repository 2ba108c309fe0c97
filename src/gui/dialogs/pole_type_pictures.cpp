#include "dialogs/pole_type_pictures.h"

#include <QPainter>
#include <QString>
#include <algorithm>

#include "model/code_tables.h"

namespace linvara::gui {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 110;
constexpr int kGround = 100;
constexpr int kTop = 26;

struct PoleShape {
    int poles = 1;      // side by side (H frames)
    int arms = 1;       // cross-arms
    bool stay = false;  // guy wire
    bool strain = false;  // strain insulators at the arm ends
    bool tee = false;   // arms on top of the pole as a T
};

// The letters of a name such as "[LIJJ]" or "[F84]" decide the drawing:
// L adds a stay, J strain strings, H a second pole; digits and repeated
// letters add cross-arms.
PoleShape ShapeOf(const QString& name) {
    PoleShape shape;
    const QString body = QString(name).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    int extra = 0;
    for (QChar c : body) {
        if (c == QLatin1Char('L')) shape.stay = true;
        else if (c == QLatin1Char('J')) { shape.strain = true; ++extra; }
        else if (c == QLatin1Char('H')) shape.poles = 2;
        else if (c.isDigit()) extra += c.digitValue() > 0 ? 1 : 0;
    }
    shape.tee = body.startsWith(QLatin1Char('T')) || body.startsWith(QLatin1Char('Y'));
    shape.arms = 1 + std::min(extra, 3);
    return shape;
}

void DrawArm(QPainter& p, int left, int right, int y, bool strain) {
    p.drawLine(left, y, right, y);
    for (int x : {left, right, (left + right) / 2}) {
        if (strain) p.drawLine(x, y, x + (x < (left + right) / 2 ? -6 : 6), y + 4);
        else p.drawLine(x, y, x, y + 7);
    }
}

QPixmap Draw(const CodeName& row) {
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    const QString name = QString::fromUtf8(row.name);
    const PoleShape shape = ShapeOf(name);
    p.drawLine(8, kGround, kWidth - 8, kGround);
    const int spacing = 30;
    const int first = kWidth / 2 - (shape.poles - 1) * spacing / 2;
    for (int i = 0; i < shape.poles; ++i) p.drawLine(first + i * spacing, kGround, first + i * spacing, kTop);
    const int last = first + (shape.poles - 1) * spacing;
    for (int a = 0; a < shape.arms; ++a) {
        const int y = kTop + 4 + a * 14;
        const int half = shape.tee ? 34 - a * 6 : 26;
        DrawArm(p, first - half, last + half, y, shape.strain);
    }
    if (shape.stay) {
        p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        p.drawLine(last, kTop + 8, kWidth - 10, kGround);
    }
    p.setPen(Qt::blue);
    p.drawText(QRect(0, 0, kWidth, 20), Qt::AlignCenter, QString::number(row.code) + QStringLiteral("  ") + name);
    return picture;
}

}  // namespace

QPixmap PoleTypePicture(int index) {
    const auto table = PoleTypeTable();
    if (index < 0 || static_cast<size_t>(index) >= table.size()) return {};
    return Draw(table[static_cast<size_t>(index)]);
}

}  // namespace linvara::gui
