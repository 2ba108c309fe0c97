#include "app/project_document.h"

#include <QFileInfo>

#include "app/project_lock.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"

namespace linvara::gui {
namespace {

QString Text(const Status& status) { return QString::fromStdString(status.message()); }

QString ConflictQuestion(const Status& status) {
    return Text(status) + QStringLiteral("\n\n保留我的修改：保存当前数据（覆盖其他程序的修改）"
                                         "\n加载文件中的数据：重新加载文件（放弃当前未保存的修改）");
}

}  // namespace

ProjectDocument::ProjectDocument(UiServices& ui, Reporter& reporter, QObject* parent)
    : QObject(parent), ui_(ui), reporter_(reporter) {}

ProjectDocument::~ProjectDocument() = default;

QString ProjectDocument::Path() const { return project_ ? QString::fromStdString(project_->Path()) : QString(); }

const DHPointList& ProjectDocument::Points() const {
    static const DHPointList kNone;
    return project_ ? project_->Points() : kNone;
}

int ProjectDocument::IndexOf(const std::string& gpsId) const { return FindIndexByGpsId(Points(), gpsId); }

void ProjectDocument::Report(const Status& status) { ui_.Error(Text(status)); }

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
                              .arg(fullPath)))
            return false;
    }
    if (!LeaveOpenProject()) return false;
    auto project = std::make_unique<Project>(reporter_);
    project->SetOptions(options_);
    Status opened = Status::Ok();
    {
        WaitCursor wait;
        opened = project->Open(fullPath.toStdString());
    }
    if (!opened) {
        Report(opened);
        return false;
    }
    project_ = std::move(project);
    if (lock) lock_ = std::move(lock);
    mode_ = ViewMode::AllPoints;
    emit listReset();
    return true;
}

bool ProjectDocument::LeaveOpenProject() {
    // Edits are in the file already; only the order and computed values wait.
    if (!project_) return true;
    if (!project_->IsModified()) {
        // Nothing of the user's is waiting: the save only stores rows kept
        // otherwise the way a save keeps them, and may fail unnoticed.
        (void)project_->Save();
        return true;
    }
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
    project_.reset();
    lock_.reset();
    mode_ = ViewMode::AllPoints;
    emit listReset();
}

bool ProjectDocument::Save() {
    if (!project_) return true;
    return Settle(project_->Save(), nullptr);
}

bool ProjectDocument::Settle(Status status, const std::function<Status()>& retry) {
    if (status) return true;
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
    const Status reloaded = project_->Reload();
    if (!reloaded) Report(reloaded);
    emit listReset();
    return reloaded.ok();
}

bool ProjectDocument::ResetToSurvey() {
    if (!project_) return false;
    Status reset = Status::Ok();
    {
        WaitCursor wait;
        reset = project_->ResetToSurvey();
    }
    if (!reset) {
        Report(reset);
        return false;
    }
    mode_ = ViewMode::AllPoints;
    emit listReset();
    return true;
}

bool ProjectDocument::AddPoint(DHPoint point, int before) {
    if (!project_) return false;
    emit orderAboutToChange();
    const auto add = [this, &point, before] { return project_->AddPoint(point, before); };
    if (!Settle(add(), add)) return false;
    emit orderChanged();
    return true;
}

bool ProjectDocument::EditPoint(const DHPoint& edited) {
    const int index = IndexOf(edited.GPS_ID);
    if (index < 0) return false;
    const int kindBefore = Points()[static_cast<size_t>(index)].DHType;
    if (kindBefore != edited.DHType) emit orderAboutToChange();
    const auto edit = [this, &edited] { return project_->EditPoint(edited); };
    if (!Settle(edit(), edit)) return false;
    // A point that changes kind joins or leaves the J/Z-stake lists.
    if (kindBefore != edited.DHType)
        emit orderChanged();
    else
        emit pointChanged(IndexOf(edited.GPS_ID));
    return true;
}

bool ProjectDocument::DeletePoints(const std::vector<std::string>& gpsIds) {
    if (!project_ || gpsIds.empty()) return false;
    emit orderAboutToChange();
    const auto remove = [this, &gpsIds] { return project_->DeletePoints(gpsIds); };
    if (!Settle(remove(), remove)) return false;
    emit orderChanged();
    return true;
}

void ProjectDocument::AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start,
                                     const DHPoint& end) {
    if (!project_ || gpsIds.empty()) return;
    emit orderAboutToChange();
    project_->AppointJStakes(gpsIds, start, end);
    emit orderChanged();
}

int ProjectDocument::MoveJStake(JMove kind, int jRow) {
    if (!project_) return -1;
    emit orderAboutToChange();
    const int row = project_->MoveJStake(kind, jRow);
    if (row >= 0) emit orderChanged();
    return row;
}

void ProjectDocument::AutoOrder() {
    if (!project_) return;
    emit orderAboutToChange();
    {
        WaitCursor wait;
        project_->AutoOrder();
    }
    mode_ = ViewMode::AllPoints;
    emit orderChanged();
}

void ProjectDocument::SortByMileage() {
    if (!project_) return;
    emit orderAboutToChange();
    {
        WaitCursor wait;
        project_->SortByMileage();
    }
    emit orderChanged();
}

void ProjectDocument::SetViewMode(ViewMode mode) {
    mode_ = mode;
    emit viewModeChanged(mode);
}

void ProjectDocument::SetOptions(const COptions& options) {
    options_ = options;
    if (project_) project_->SetOptions(options);
}

}  // namespace linvara::gui
