#pragma once
#include <QRectF>

#include "plan/plan_look.h"

class QPainter;

namespace linvara::gui {

// A scale bar of a round length (see RoundBarLength) in quarters alternating
// the look's ink (its route colour) and background, marked 0, half and full
// length, captioned 比例尺, inside `box`; `metresPerPixel` of the device.
void PaintScaleBar(QPainter& painter, const PlanLook& look, const QRectF& box, double metresPerPixel);

// The length of a scale bar: a round number of metres (1, 2 or 5 times a
// power of ten) no longer than `metres`; 0 for no length.
double RoundBarLength(double metres);

}  // namespace linvara::gui
