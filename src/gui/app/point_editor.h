#pragma once
#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace linvara::gui {

class ProjectDocument;
class UiServices;

// The point commands of both views: the dialog or question each needs, then
// the change through the document. Points are named by GPS_ID, whichever
// view and view mode they were chosen in.
class PointEditor {
public:
    PointEditor(ProjectDocument& document, UiServices& ui, QWidget* dialogParent);

    // Adding, inserting and editing ask before they accept a point at (0, 0)
    // or far from every other point.
    // 增加点: after the selected point (none: last), as an ordinary detail
    // point (辅助点); while the list shows only J or Z stakes, as one of those.
    void Add(const std::string& selectedGpsId = {});
    // Inserted before this point, its kind preselected.
    void InsertBefore(const std::string& gpsId);
    void Edit(const std::string& gpsId);
    // Asks first (OK/Cancel, Cancel by default), naming the points.
    void Delete(const std::vector<std::string>& gpsIds);
    // 指定J桩 for these points.
    void AppointJStakes(const std::vector<std::string>& gpsIds);

private:
    void AddAt(bool insert, int before, int kind);
    // The refusal of `name` for the point `gpsId` (empty for a new one), or empty.
    QString NameRefusal(const std::string& name, const std::string& gpsId) const;

    ProjectDocument& document_;
    UiServices& ui_;
    QWidget* dialogParent_;
};

}  // namespace linvara::gui
