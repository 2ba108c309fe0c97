#pragma once
#include <QLockFile>
#include <QString>

namespace linvara::gui {

// A lock file beside an open project, held while a window has it open, so a
// second window opening the same file can say so. A lock left behind by a
// crashed program is taken over; a folder where no lock can be written
// gives no lock and no warning.
class ProjectLock {
public:
    enum class State {
        Held,           // this window holds the lock
        HeldElsewhere,  // another window (program) holds it
        Unavailable,    // no lock can be written here
    };

    explicit ProjectLock(const QString& projectPath);
    ~ProjectLock();
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    State GetState() const { return state_; }
    const QString& ProjectPath() const { return projectPath_; }
    // "<folder>/.<file name>.linvara-lock": hidden, one per project file.
    static QString LockPath(const QString& projectPath);

private:
    QString projectPath_;
    QLockFile file_;
    State state_;
};

}  // namespace linvara::gui
