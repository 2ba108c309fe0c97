#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/start_arguments.h"
#include "app/translations.h"
#include "common/qt_ui_services.h"

int main(int argc, char* argv[]) {
    // --version and --help answer without a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    const auto early = linvara::gui::ParseStartArguments(raw, QDir::currentPath()).request;
    if (early != linvara::gui::StartArguments::Request::Run) {
        const QString text = early == linvara::gui::StartArguments::Request::Version ? linvara::gui::VersionText() + '\n'
                                                                                     : linvara::gui::UsageText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Linvara"));
    QApplication::setApplicationName(QStringLiteral("Linvara"));
    QApplication::setDesktopFileName(QStringLiteral("linvara"));
    // The framework's own dialogs (file choosers) in Chinese where the
    // translations are installed; English otherwise.
    linvara::gui::InstallFrameworkTranslations();
    const QString project =
        linvara::gui::ParseStartArguments(QApplication::arguments().mid(1), QDir::currentPath()).project;

    // A project double-clicked while Linvara runs opens in the running window.
    linvara::gui::InstanceChannel channel;
    if (!project.isEmpty() && channel.Forward(project)) return 0;

    linvara::gui::QtUiServices ui;
    linvara::gui::LinvaraApp app(ui);
    linvara::gui::MainWindow& window = app.InitInstance(project);
    if (channel.Listen()) new linvara::gui::ForwardedProjectOpener(channel, window);
    return QApplication::exec();
}
