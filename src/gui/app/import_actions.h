#pragma once
// The commands around importing text data, kept out of the main window's
// own files: each makes its menu action and does its work here.
class QAction;
class QWidget;

namespace linvara::gui {

class MainWindow;
class ProjectDocument;
class UiServices;

// 文件 › 导入文本数据…: the import dialog; the project it writes is opened
// in the window as 打开 would.
QAction* NewImportAction(MainWindow& window, UiServices& ui);
void ImportTextData(MainWindow& window, UiServices& ui);

// 操作 › 计算经纬度…: latitude/longitude for the open project's points that
// lack them or whose B/L no longer match x/y, from x/y in the zone the user
// gives, as one undoable edit; the project remembers the zone.
// The action is enabled while a project is open.
QAction* NewLatLonAction(ProjectDocument& document, UiServices& ui, QWidget* parent);
void ComputeLatLon(ProjectDocument& document, UiServices& ui, QWidget* parent);

}  // namespace linvara::gui
