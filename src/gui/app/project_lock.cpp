#include "app/project_lock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

namespace linvara::gui {
namespace {

// The locks this process holds: a lock file naming this process that none
// of them holds was left by an earlier process of the same number (process
// numbers are reused, quickly under Wine), not by a window of this one.
QSet<QString>& HeldHere() {
    static QSet<QString> held;
    return held;
}

bool LeftByAnEarlierProcess(const QLockFile& file, const QString& lockPath) {
    qint64 pid = 0;
    QString host, application;
    if (!file.getLockInfo(&pid, &host, &application)) return false;
    return pid == QCoreApplication::applicationPid() && !HeldHere().contains(lockPath);
}

}  // namespace

QString ProjectLock::LockPath(const QString& projectPath) {
    const QFileInfo info(projectPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".linvara-lock");
}

ProjectLock::ProjectLock(const QString& projectPath)
    : projectPath_(projectPath), file_(LockPath(projectPath)), state_(State::Unavailable) {
    // Held for as long as the project is open: never stale by age, only when
    // the program that wrote it is gone.
    file_.setStaleLockTime(0);
    bool locked = file_.tryLock(0);
    if (!locked && file_.error() == QLockFile::LockFailedError) {
#ifdef Q_OS_WIN
        // A live holder keeps its lock file open and undeletable: a file that
        // can be removed was left by a program that no longer runs, whatever
        // process now carries its number.
        const bool stale = file_.removeStaleLockFile();
#else
        const bool stale = LeftByAnEarlierProcess(file_, LockPath(projectPath)) && file_.removeStaleLockFile();
#endif
        if (stale) locked = file_.tryLock(0);
    }
    if (locked) {
        state_ = State::Held;
        HeldHere().insert(LockPath(projectPath));
    } else if (file_.error() == QLockFile::LockFailedError) {
        state_ = State::HeldElsewhere;
    }
}

ProjectLock::~ProjectLock() {
    if (state_ == State::Held) HeldHere().remove(LockPath(projectPath_));
}

}  // namespace linvara::gui
