#include "app/project_lock.h"

#include <QFileInfo>

namespace linvara::gui {

QString ProjectLock::LockPath(const QString& projectPath) {
    const QFileInfo info(projectPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".linvara-lock");
}

ProjectLock::ProjectLock(const QString& projectPath)
    : projectPath_(projectPath), file_(LockPath(projectPath)), state_(State::Unavailable) {
    // Held for as long as the project is open: never stale by age, only when
    // the program that wrote it is gone.
    file_.setStaleLockTime(0);
    if (file_.tryLock(0))
        state_ = State::Held;
    else if (file_.error() == QLockFile::LockFailedError)
        state_ = State::HeldElsewhere;
}

}  // namespace linvara::gui
