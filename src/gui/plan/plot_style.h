#pragma once
#include <QColor>
#include <QFont>
#include <QImage>

// Colours, fonts and point symbols of the plan view.
namespace linvara::gui::plot_style {

inline QColor JStakeColour() { return {255, 0, 0}; }
inline QColor ZStakeColour() { return {255, 128, 255}; }
inline QColor OtherColour() { return {255, 255, 255}; }
inline QColor PickedColour() { return {0, 255, 255}; }
inline QColor GridColour() { return {128, 128, 128}; }
inline QColor GridLabelColour() { return {255, 255, 255}; }
inline QColor RouteColour() { return {255, 255, 255}; }
inline QColor RubberBandColour() { return {0, 255, 255}; }

// The colour of a point of `dhType`; `picked` wins over the kind.
QColor PointColour(int dhType, bool picked);

// Grid labels (11 pt) and point labels (9 pt), in a face that has the
// Chinese characters of point names.
const QFont& GridLabelFont();
const QFont& PointLabelFont();

// The point symbol in `colour`: a ring of radius 4 px around a disc of
// radius 2 px, left open between them so the kind's colour reads clearly on
// black; its centre is at (kSymbolHalf, kSymbolHalf).
constexpr int kSymbolHalf = 5;
const QImage& PointSymbol(const QColor& colour);

}  // namespace linvara::gui::plot_style
