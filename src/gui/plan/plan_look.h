#pragma once
#include <QColor>
#include <QFont>
#include <QPointF>

class QPainter;

// How the plan is drawn on one device: on the black screen of the plan view,
// or on white paper (PNG, SVG, PDF, print). Sizes of symbols, fonts and pens
// are given for a 96-dpi screen and multiplied by `unit`, the device pixels
// per screen pixel, so a 600-dpi page shows them at the same size on paper.
namespace linvara::gui {

struct PlanLook {
    QColor background;
    QColor jStake;
    QColor zStake;
    QColor other;
    QColor route;
    QColor grid;
    QColor gridLabel;
    double unit = 1.0;
    // Real circles instead of the screen's cached bitmaps: vector files stay
    // vector, and a scaled symbol stays sharp.
    bool vectorSymbols = false;
    bool labels = true;

    static PlanLook Screen();
    static PlanLook Paper(double unit);

    QColor PointColour(int dhType) const;
    // `font` with its pixel size multiplied by `unit`.
    QFont Scaled(const QFont& font) const;
    // A screen length in device pixels.
    double Px(double screenPixels) const { return screenPixels * unit; }
};

// The point symbol as shapes, for `look.vectorSymbols` and the legend: a
// ring of radius 4 around a disc of radius 2.5 (screen pixels), open between
// them, centred on `centre`. `ringWidth` is the ring's pen in device pixels
// (0: a hairline).
void PaintPointSymbol(QPainter& painter, const PlanLook& look, const QPointF& centre, const QColor& colour,
                      double ringWidth);

}  // namespace linvara::gui
