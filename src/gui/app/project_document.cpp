#include "app/project_document.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "app/project_lock.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"

namespace linvara::gui {
namespace {

QString Text(const Status& status) { return QString::fromStdString(status.message()); }

QString ConflictQuestion(const Status& status) {
    return Text(status) + QStringLiteral("\n\n保留我的修改：保存当前数据（覆盖其他程序的修改）"
                                         "\n加载文件中的数据：重新加载文件（放弃当前未保存的修改）");
}

}  // namespace

ProjectDocument::ProjectDocument(UiServices& ui, Reporter& reporter, QObject* parent)
    : QObject(parent), ui_(ui), reporter_(reporter), defaults_(workspace::DefaultOptions()) {}

ProjectDocument::~ProjectDocument() = default;

QString ProjectDocument::Path() const { return project_ ? QString::fromStdString(project_->Path()) : QString(); }

const DHPointList& ProjectDocument::Points() const {
    static const DHPointList kNone;
    return project_ ? project_->Points() : kNone;
}

int ProjectDocument::IndexOf(const std::string& gpsId) const { return FindIndexByGpsId(Points(), gpsId); }

void ProjectDocument::Report(const Status& status) {
    lastFailure_ = status.message();
    ui_.Error(Text(status));
}

bool ProjectDocument::Open(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    // Reopening the open file keeps its lock; any other file is locked first,
    // so declining leaves the open project as it was.
    std::unique_ptr<ProjectLock> lock;
    if (!lock_ || lock_->ProjectPath() != fullPath) {
        lock = std::make_unique<ProjectLock>(fullPath);
        if (lock->GetState() == ProjectLock::State::HeldElsewhere &&
            !ui_.AskYesNo(QStringLiteral("工程文件已在另一个Linvara窗口中打开：%1\n"
                                         "仍要打开吗？（保存时将检查另一窗口写入的修改）")
                              .arg(QDir::toNativeSeparators(fullPath))))
            return false;
    }
    if (!LeaveOpenProject()) return false;
    auto project = std::make_unique<Project>(reporter_);
    Status opened = Status::Ok();
    {
        WaitCursor wait;
        // Every message about the project names it as the system writes paths.
        opened = project->Open(QDir::toNativeSeparators(fullPath).toStdString(),
                               workspace::EarlierProjectOptions(fullPath, defaults_));
    }
    if (!opened) {
        Report(opened);
        return false;
    }
    project_ = std::move(project);
    if (lock) lock_ = std::move(lock);
    mode_ = ViewMode::AllPoints;
    history_.clear();  // the history belongs to the project it was made on
    focus_.clear();
    emit listReset();
    return true;
}

bool ProjectDocument::LeaveOpenProject() {
    // Edits are in the file already; only the order and computed values
    // wait. Opening and closing alone write nothing.
    if (!project_ || !project_->IsModified()) return true;
    Status saved = project_->Save();
    if (saved) return true;
    if (saved.code() == Status::Code::Conflict) {
        switch (ui_.AskConflict(ConflictQuestion(saved))) {
        case ConflictChoice::LoadTheirs: return true;  // the file keeps the other program's data
        case ConflictChoice::Cancel: return false;
        case ConflictChoice::KeepMine: break;
        }
        saved = project_->Save(Project::SaveMode::Overwrite);
        if (saved) return true;
    }
    return ui_.AskYesNo(Text(saved) + QStringLiteral("\n\n仍要关闭该工程吗？未保存的修改将丢失。"));
}

void ProjectDocument::Close() {
    history_.clear();
    focus_.clear();
    project_.reset();
    lock_.reset();
    mode_ = ViewMode::AllPoints;
    emit listReset();
}

bool ProjectDocument::RefusedAsReadOnly() {
    if (!IsReadOnly()) return false;
    Report(Status::Failed(project_->ReadOnlyReason()));
    return true;
}

bool ProjectDocument::Save() {
    if (!project_) return true;
    if (RefusedAsReadOnly()) return false;
    const bool saved = ResolveConflict(project_->Save(), nullptr);
    ReportStored(saved);
    return saved;
}

// Later, never inside a step of the history itself.
void ProjectDocument::DropHistory() {
    QTimer::singleShot(0, this, [this] { history_.clear(); });
}

void ProjectDocument::ReportStored(bool ok) {
    emit storeReported(ok ? QStringLiteral("已保存") : QStringLiteral("未保存：") + QString::fromStdString(lastFailure_));
}

bool ProjectDocument::ResolveConflict(Status status, const std::function<Status()>& retry) {
    if (status) return true;
    lastFailure_ = status.message();
    if (status.code() == Status::Code::Conflict) {
        const ConflictChoice choice = ui_.AskConflict(ConflictQuestion(status));
        if (choice == ConflictChoice::Cancel) return false;
        if (choice == ConflictChoice::LoadTheirs) {
            Reload();
            return false;
        }
        status = project_->Save(Project::SaveMode::Overwrite);
        if (status && retry) status = retry();
        if (status) return true;
    }
    Report(status);
    return false;
}

bool ProjectDocument::Reload() {
    DropHistory();  // the file's list is not the one the history was made on
    const Status reloaded = project_->Reload();
    if (!reloaded) Report(reloaded);
    emit listReset();
    return reloaded.ok();
}

void ProjectDocument::SetViewMode(ViewMode mode) {
    mode_ = mode;
    emit viewModeChanged(mode);
}

bool ProjectDocument::SetOptions(const ConversionOptions& options) {
    if (!project_) {
        defaults_ = options;
        workspace::RememberDefaultOptions(options);
        return true;
    }
    if (RefusedAsReadOnly()) return false;
    if (const Status stored = project_->StoreOptions(options); !stored) {
        Report(stored);
        return false;
    }
    return true;
}

}  // namespace linvara::gui
