#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "model/dh_point_list.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "project/project.h"

namespace linvara::gui {

class ProjectLock;
class UiServices;

// The open project of a window: it owns the core Project (file, working stake
// list, options) and the lock beside the file, and is the one place the list
// changes. Every change ends in one signal the views observe; failures are
// reported to the user with their cause, and another program's changes met
// by a save or an edit are settled by asking the user.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    ProjectDocument(UiServices& ui, Reporter& reporter, QObject* parent = nullptr);
    ~ProjectDocument() override;

    bool IsOpen() const { return project_ != nullptr; }
    // The open project's file, or empty.
    QString Path() const;
    // The working stake list in route order (empty while nothing is open).
    const DHPointList& Points() const;
    // The position of the point in Points(), or -1.
    int IndexOf(const std::string& gpsId) const;
    ViewMode Mode() const { return mode_; }
    const COptions& Options() const { return options_; }
    bool IsModified() const { return project_ && project_->IsModified(); }

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

    // Single-point edits reach the file at once; false when refused, failed
    // or cancelled (already reported).
    bool AddPoint(DHPoint point, int before = -1);
    bool EditPoint(const DHPoint& edited);
    bool DeletePoints(const std::vector<std::string>& gpsIds);
    // These change the list in memory until the next save.
    void AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start, const DHPoint& end);
    // The J stake at `jRow` of the J-stake list; its row afterwards, or -1.
    int MoveJStake(JMove kind, int jRow);
    // Automatic ordering shows all points again.
    void AutoOrder();
    void SortByMileage();

    void SetViewMode(ViewMode mode);
    void SetOptions(const COptions& options);

signals:
    // A new list: opened, reloaded, reset or closed.
    void listReset();
    // The values of the point at `index` of Points() changed, nothing else.
    void pointChanged(int index);
    // Sent before points may be added, deleted, reordered or recomputed,
    // while Points() still holds what the views show.
    void orderAboutToChange();
    // Points added, deleted, reordered or recomputed (the view mode may have
    // returned to all points with them).
    void orderChanged();
    void viewModeChanged(linvara::gui::ViewMode mode);

private:
    // True when the write succeeded. A conflict is put to the user: keeping
    // this window's data overwrites the file and runs `retry` again; loading
    // the file's data reloads the list. Other failures are reported.
    bool Settle(Status status, const std::function<Status()>& retry);
    bool Reload();
    void Report(const Status& status);

    UiServices& ui_;
    Reporter& reporter_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectLock> lock_;
    COptions options_;
    ViewMode mode_ = ViewMode::AllPoints;
};

}  // namespace linvara::gui
