#include "app/user_guide.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "common/ui_services.h"

namespace linvara::gui {

QString UserGuidePath(const QString& applicationDir) {
    const QDir bin(applicationDir);
    QStringList candidates;
    for (const char* folder : {"../share/doc/linvara", "doc"})
        for (const char* name : {"user-guide.html", "user-guide.md"})
            candidates << bin.filePath(QStringLiteral("%1/%2").arg(QLatin1String(folder), QLatin1String(name)));
#ifdef LINVARA_SOURCE_DIR
    candidates << QStringLiteral(LINVARA_SOURCE_DIR "/docs/用户手册.md");
#endif
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile()) return QFileInfo(candidate).absoluteFilePath();
    return QString();
}

QAction* NewUserGuideAction(QWidget* parent, UiServices& ui) {
    auto* action = new QAction(QStringLiteral("用户手册(&M)"), parent);
    action->setObjectName(QStringLiteral("userGuideAction"));
    action->setStatusTip(QStringLiteral("打开用户手册"));
    action->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(action, &QAction::triggered, parent, [&ui] {
        const QString guide = UserGuidePath(QApplication::applicationDirPath());
        if (guide.isEmpty()) {
            ui.Warning(QStringLiteral("找不到用户手册：程序目录旁没有 share/doc/linvara/user-guide.html"));
            return;
        }
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
            ui.Warning(QStringLiteral("无法打开用户手册：%1\n没有能显示该文件的程序").arg(QDir::toNativeSeparators(guide)));
    });
    return action;
}

}  // namespace linvara::gui
