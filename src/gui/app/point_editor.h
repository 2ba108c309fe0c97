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

    // 增加点: appended last.
    void Add();
    // Inserted before this point, its kind preselected.
    void InsertBefore(const std::string& gpsId);
    void Edit(const std::string& gpsId);
    // Asks `prompt` (OK/Cancel) first.
    void Delete(const std::vector<std::string>& gpsIds, const QString& prompt);
    // 指定J桩 for these points.
    void AppointJStakes(const std::vector<std::string>& gpsIds);

private:
    void AddAt(int before, int kind);

    ProjectDocument& document_;
    UiServices& ui_;
    QWidget* dialogParent_;
};

}  // namespace linvara::gui
