#pragma once
#include <QRect>
#include <QString>

#include "plan/plan_look.h"

class QPainter;

namespace linvara::gui {

class PlotCanvas;

// What the title block of a plan sheet says.
struct PlanSheetText {
    QString title;  // the project
    QString date;
    QString scale;  // "1:2000"
};

// A plan sheet filling `page` on some device: a frame holding the map and,
// beneath it, a band with the legend of point kinds, a scale bar, the north
// arrow and the title block. Sizes follow `look.unit`.
namespace plan_sheet {

// Where the map goes: the canvas's client rectangle for this page.
QRect MapRect(const QRect& page, const PlanLook& look);

// Paints the sheet: the background, the plan through the canvas (its client
// rectangle and view already set for MapRect), then frame and band.
void Paint(QPainter& painter, const QRect& page, PlotCanvas& canvas, const PlanLook& look, const PlanSheetText& text);

}  // namespace plan_sheet
}  // namespace linvara::gui
