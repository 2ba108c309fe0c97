#include <QApplication>
#include <QStringList>

#include "app/linvara_app.h"
#include "app/main_frame.h"
#include "app/qt_ui_services.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linvara"));
    QApplication::setApplicationName(QStringLiteral("Linvara"));
    const QStringList arguments = QApplication::arguments();
    const QString project = arguments.size() > 1 ? arguments.at(1) : QString();

    linvara::gui::QtUiServices ui;
    linvara::gui::CLinvaraApp app(ui);
    app.InitInstance(project);
    return QApplication::exec();
}
