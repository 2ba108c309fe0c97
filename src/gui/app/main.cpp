#include <QApplication>
#include <QStringList>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "common/qt_ui_services.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linvara"));
    QApplication::setApplicationName(QStringLiteral("Linvara"));
    // The framework's own dialogs (file choosers) in Chinese where the
    // translations are installed; English otherwise.
    linvara::gui::InstallFrameworkTranslations();
    const QStringList arguments = QApplication::arguments();
    const QString project = arguments.size() > 1 ? arguments.at(1) : QString();

    linvara::gui::QtUiServices ui;
    linvara::gui::LinvaraApp app(ui);
    app.InitInstance(project);
    return QApplication::exec();
}
