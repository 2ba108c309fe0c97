#pragma once
#include <QString>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "model/dh_point_list.h"

namespace linvara::gui {

// What the plan view needs from the window around it (the main window, the
// list view and the document). The main window implements it; tests use a fake.
class PlanViewHost {
public:
    virtual ~PlanViewHost() = default;

    // "北(N): %.3f m    东(E): %.3f m" in the coordinate pane.
    virtual void SetCoordinateText(double north, double east) = 0;
    virtual ViewMode CurrentViewMode() const = 0;
    // The working stake list, or null while no project is open.
    virtual const linvara::DHPointList* CurrentList() const = 0;
    // The list view edits the point at position `row` of the working stake
    // list (its OrderIndex) in the point dialog, then all views are updated.
    virtual void EditPointAt(int row) = 0;
    // Removes the points from the working stake list and the project
    // database, renumbers the order and updates all views.
    virtual void DeletePointsByGpsId(const std::vector<std::string>& gpsIds) = 0;
    // Selects exactly these points in the list view and runs its "指定J桩".
    virtual void AppointJStakesFor(const std::vector<std::string>& gpsIds) = 0;
    // The document's broadcast: every view refreshes with the hint.
    virtual void UpdateAllViews(UpdateHint hint) = 0;
    // An OK/Cancel question ("确定删除？"); true for OK.
    virtual bool ConfirmOkCancel(const QString& text) = 0;
};

}  // namespace linvara::gui
