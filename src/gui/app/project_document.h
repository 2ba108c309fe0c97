#pragma once
#include <QObject>
#include <QUndoStack>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "model/dh_point_list.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "project/list_delta.h"
#include "project/project.h"

namespace linvara::gui {

class EditCommand;
class ProjectLock;
class UiServices;

// The open project of a window: it owns the core Project (file, working stake
// list, options) and the lock beside the file, and is the one place the list
// changes. Every command is stored in the file when it completes and goes on
// the undo history, which lasts while the project is open. Every change ends
// in one signal the views observe; failures are reported to the user with
// their cause, and another program's changes met by a save or an edit are
// settled by asking the user.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    ProjectDocument(UiServices& ui, Reporter& reporter, QObject* parent = nullptr);
    ~ProjectDocument() override;

    bool IsOpen() const { return project_ != nullptr; }
    // The open project, for the core's writers; null while nothing is open.
    const Project* OpenProject() const { return project_.get(); }
    // The open project's file, or empty.
    QString Path() const;
    // The working stake list in route order (empty while nothing is open).
    const DHPointList& Points() const;
    // The position of the point in Points(), or -1.
    int IndexOf(const std::string& gpsId) const;
    ViewMode Mode() const { return mode_; }
    // The open project's options, or while none is open the user's
    // defaults that a project without options of its own opens with.
    const ConversionOptions& Options() const { return project_ ? project_->Options() : defaults_; }
    bool IsModified() const { return project_ && project_->IsModified(); }
    // The open project's changes cannot be stored (its file or folder is
    // read-only): it is shown and converted, every command that would
    // change it is refused with the reason.
    bool IsReadOnly() const { return project_ && !project_->ReadOnlyReason().empty(); }
    QUndoStack& History() { return history_; }
    // The point the last command added, put in front of the user: the list
    // view selects it. Empty after any other change.
    const std::vector<std::string>& Focus() const { return focus_; }

    // Saves the open project (asking as LeaveOpenProject does), then opens
    // this one in view mode 0. A file another window holds is opened only
    // when the user says so. False, with the open project kept, when it
    // cannot be opened or the user declines.
    bool Open(const QString& path);
    // Saves the open project before the window closes or opens another;
    // false when the user chose to keep it open (a failed save or a
    // cancelled conflict).
    bool LeaveOpenProject();
    // Drops the open project and its lock (after LeaveOpenProject).
    void Close();
    // Commands 57603/57604; a failure is reported. True when nothing is open.
    bool Save();
    bool ResetToSurvey();

    // The commands below are undoable; each reaches the file when it
    // completes. False when refused, failed or cancelled (already reported).
    // 增加点, or with `insert` 插入点: the new point takes index `before` (-1: last).
    bool AddPoint(DHPoint point, int before = -1, bool insert = false);
    bool EditPoint(const DHPoint& edited);
    bool DeletePoints(const std::vector<std::string>& gpsIds);
    void AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start, const DHPoint& end);
    // The J stake at `jRow` of the J-stake list; its row afterwards, or -1.
    int MoveJStake(JMove kind, int jRow);
    // Automatic ordering shows all points again.
    void AutoOrder();
    void SortByMileage();
    // The same points in the same order with other values (computed
    // coordinates), stored as one command named `text`; with `system` the
    // project remembers it as its coordinate system in the same transaction
    // (undo leaves it remembered). True when stored or nothing differs.
    bool EditValues(const QString& text, DHPointList edited, const CoordinateSystem* system = nullptr);

    void SetViewMode(ViewMode mode);
    // Stores the options with the open project, or while none is open as
    // the user's defaults. False when refused or failed (already reported).
    bool SetOptions(const ConversionOptions& options);

signals:
    // A new list: opened, reloaded, reset or closed.
    void listReset();
    // Points were put in the list at these positions of Points() (ascending).
    void pointsInserted(const std::vector<int>& indices);
    // Points were taken out of the list from these positions (ascending, as
    // the list stood before).
    void pointsRemoved(const std::vector<int>& indices);
    // The values of the point at `index` of Points() changed (its kind may
    // have too), nothing else.
    void pointChanged(int index);
    // Sent before the whole list is reordered or recomputed (the same
    // points), while Points() still holds what the views show.
    void orderAboutToChange();
    // The whole list reordered or recomputed (the view mode may have
    // returned to all points with it).
    void orderChanged();
    void viewModeChanged(linvara::gui::ViewMode mode);
    // What became of the last write, for the status bar ("已保存" or the failure).
    void storeReported(const QString& text);

public:
    // Carries out an undoable command (edit_commands.h) and puts it on the
    // history when it changed anything; refused while nothing is open or the
    // project is read-only. False when refused or failed (reported).
    bool Execute(std::unique_ptr<EditCommand> command);
    // The steps the commands are made of: each
    // changes the list, stores it in one transaction and tells the views;
    // false when it failed (reported) and the list is as before.
    bool InsertPoint(const DHPoint& point, int before);
    bool RemovePoints(const std::vector<std::string>& gpsIds, RemovedPoints& removed);
    bool PutBack(const RemovedPoints& removed);
    bool Replace(const DHPoint& point);
    // Runs a command on the whole list in memory and stores the list;
    // `delta` receives what it changed.
    bool ChangeList(const std::function<void(Project&)>& run, ListDelta& delta);
    bool ReplayDelta(const ListDelta& delta, bool forward, const CoordinateSystem* system = nullptr);
    bool Reset(ListBackup& backup);
    bool RestoreBackup(const ListBackup& backup);
    // The history no longer matches the file: dropped (later, never inside
    // a step of the history itself).
    void DropHistory();

private:
    // How far a change reaches, and so what the views are told.
    enum class Reach {
        Rows,       // points added, removed or edited: `tell` names them, once stored
        WholeList,  // the same points reordered or recomputed
        NewList,    // anything: the views start over
    };
    // The one way the list changes: `change` is carried out and stored, a
    // conflict settled (keeping mine runs it again), the outcome reported to
    // the status bar and the views told. True when stored.
    bool Apply(Reach reach, const std::function<Status()>& change, const std::function<void()>& tell = nullptr);
    // True when the write succeeded. A conflict is put to the user: keeping
    // this window's data overwrites the file and runs `retry` again; loading
    // the file's data reloads the list. Other failures are reported.
    bool ResolveConflict(Status status, const std::function<Status()>& retry);
    bool Reload();
    void Report(const Status& status);
    // Reports why a read-only project is not changed; false when it may be.
    bool RefusedAsReadOnly();
    // Whether the list can be ordered; the refusal is shown.
    bool Orderable();
    void ReportStored(bool ok);

    UiServices& ui_;
    Reporter& reporter_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectLock> lock_;
    ConversionOptions defaults_;  // the user's, for projects without options of their own
    ViewMode mode_ = ViewMode::AllPoints;
    QUndoStack history_;
    std::vector<std::string> focus_;
    std::string lastFailure_;  // the cause the status bar names
};

}  // namespace linvara::gui
