#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <cstdio>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/start_arguments.h"
#include "app/translations.h"
#include "app/window_report.h"
#include "common/qt_ui_services.h"

namespace {

// Windows' default UI font has no Chinese; the Chinese font every Chinese
// Windows has, named explicitly, looks the same everywhere (and under Wine
// with the same font installed).
void UseChineseUiFont() {
#ifdef Q_OS_WIN
    for (const char* family : {"Microsoft YaHei UI", "Microsoft YaHei", "SimSun"}) {
        if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
            QFont font(QString::fromUtf8(family));
            font.setPointSize(9);
            QApplication::setFont(font);
            return;
        }
    }
#endif
}

}  // namespace

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
    UseChineseUiFont();
    const auto start = linvara::gui::ParseStartArguments(QApplication::arguments().mid(1), QDir::currentPath());

    // A project double-clicked while Linvara runs opens in the running window
    // (a window report is about a window of its own).
    linvara::gui::InstanceChannel channel;
    if (start.windowReport.isEmpty() && !start.project.isEmpty() && channel.Forward(start.project)) return 0;

    linvara::gui::QtUiServices ui;
    linvara::gui::LinvaraApp app(ui);
    linvara::gui::MainWindow& window = app.InitInstance(start.project);
    if (!start.windowReport.isEmpty())
        linvara::gui::ReportWindowThenQuit(window, start.windowReport);
    else if (channel.Listen())
        new linvara::gui::ForwardedProjectOpener(channel, window);
    return QApplication::exec();
}
