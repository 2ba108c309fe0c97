#pragma once
#include <QString>

class QAction;
class QWidget;

namespace linvara::gui {

class UiServices;

// Where the user guide is, looked for in this order: the HTML installed with
// the program (<bin>/../share/doc/linvara, which the build folder has as
// well, or doc/ beside the program), then the Markdown of the source tree
// the program was built from. Empty when there is none.
QString UserGuidePath(const QString& applicationDir);

// 用户手册 of the 关于 menu: opens the guide in the desktop's viewer, or says
// that it is missing.
QAction* NewUserGuideAction(QWidget* parent, UiServices& ui);

}  // namespace linvara::gui
