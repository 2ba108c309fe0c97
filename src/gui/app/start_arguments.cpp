#include "app/start_arguments.h"

#include <QDir>
#include <QUrl>

#ifndef LINVARA_VERSION
#define LINVARA_VERSION "0"
#endif

namespace linvara::gui {

StartArguments ParseStartArguments(const QStringList& arguments, const QString& workingDir) {
    StartArguments start;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("--version") || argument == QLatin1String("-v"))
                start.request = StartArguments::Request::Version;
            else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
                start.request = StartArguments::Request::Help;
            else if (argument.startsWith(QLatin1String("--window-report=")))
                start.windowReport = QDir(workingDir).absoluteFilePath(argument.section(QLatin1Char('='), 1));
            continue;
        }
        if (!start.project.isEmpty() || argument.isEmpty()) continue;
        const QUrl url(argument);
        const QString path = url.isLocalFile() && argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                                 ? url.toLocalFile()
                                 : argument;
        start.project = QDir::cleanPath(QDir(workingDir).absoluteFilePath(path));
    }
    return start;
}

QString VersionText() { return QStringLiteral("linvara " LINVARA_VERSION); }

QString UsageText() {
    return QStringLiteral(
        "用法: linvara [工程文件.PD]\n"
        "Linvara电力格式转换：打开工程文件(*.PD)。已有 Linvara 窗口在运行时，工程在该窗口中打开。\n"
        "  -h, --help     显示本说明\n"
        "  -v, --version  显示版本\n"
        "  --window-report=文件  窗口显示工程后，把标题、列表各行(文件)和窗口截图(文件.png)写出并退出，用于检查安装\n");
}

}  // namespace linvara::gui
