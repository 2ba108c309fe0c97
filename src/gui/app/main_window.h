#pragma once
#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/run_reporter.h"
#include "common/ui_reporter.h"
#include "common/view_types.h"
#include "model/stake_sequence.h"
#include "plan/plot_canvas.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QProgressBar;

namespace linvara::gui {

class CheckPanel;
class FindDialog;
class PlanView;
class PointEditor;
class PointTableView;
class ProjectDocument;
class RunReportWindow;
class UiServices;

// The main window: menu, toolbar sets, status bar, the list and plan views
// in a stack over the document, which every command works through.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class ToolbarSet { Start, List, Plan, JStake, ZStake };

    explicit MainWindow(UiServices& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Saves the open project, then opens this one (title, list toolbar, all
    // points, both views refreshed). False when it cannot be opened or the
    // user kept the open one.
    bool OpenProjectFile(const QString& path);
    // True while OpenProjectFile runs: reading shows progress and lets
    // events through, so another open must wait for it.
    bool IsOpening() const { return opening_; }

    QAction* Action(int commandId) const;
    ToolbarSet CurrentToolbarSet() const { return toolbarSet_; }
    // The command ids of the toolbar as shown, 0 for a separator.
    std::vector<int> ToolbarCommands() const;
    QToolBar& ToolBar() const { return *toolBar_; }
    PointTableView& PointTable() const { return *listView_; }
    PlanView& Plan() const { return *planView_; }
    ProjectDocument& Document() const { return *document_; }
    PointEditor& Editor() const { return *editor_; }
    CheckPanel& Checks() const { return *checkPanel_; }
    ActiveView ShownView() const { return activeView_; }
    // The ORG file chosen last.
    const std::string& OrgOutputPath() const { return orgOutputPath_; }
    QString CoordinateText() const;
    QString MessageText() const;
    // "北(N): %.3f m    东(E): %.3f m" in the coordinate pane.
    void SetCoordinateText(double north, double east);
    // The end of a run: nothing said gives one status-bar line and the
    // "打开文件夹" button; one message about no point, its message box; more,
    // the report window.
    void ShowRunOutcome(const RunOutcome& outcome);
    RunReportWindow& RunReport() const { return *runReport_; }
    // The find window, made on first use (Ctrl+F).
    FindDialog& Finder();
    // The folder "打开文件夹" opens, or empty while the button is hidden.
    QString OutputFolder() const;
    // Selects the point (by GPS identity, else the first of that name) in the
    // list and marks it in the plan.
    void ShowPointNamed(const std::string& gpsId, const QString& name);
    // The start-mileage pane of the status bar.
    QString MileageText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // main_window_actions.cpp
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void InstallToolbar(ToolbarSet set);
    void UpdateCommandState();
    void ConnectViews();
    void CreatePlanActions();
    void CreateHistoryActions();
    void AssignShortcuts();
    void FillRecentFiles();
    QAction* NewAction(int id, const char* text, const char* tip, const char* icon, void (MainWindow::*slot)());

    // main_window_commands.cpp
    void OnOpen();
    void OnSave();
    void OnExit();
    void OnAbout();
    void OnTowerBase();
    void OnMerge();
    void OnOrgOutput();
    void OnFileOutput();
    void OnOptions();
    void OnListView();
    void OnPlanView();
    void OnAllPoints();
    void OnJStakeEdit();
    void OnZStakeEdit();
    void OnAutoJOrder();
    void OnMileageSort();
    void OnAppointJ();
    void OnReset();
    void OnCheck();
    void OnFind();
    void OnZoomToSelection();
    void OnReread();
    void OnCopy();
    void OnCopyImage();
    // Selects the point in the list view, showing all points there first.
    void ShowPoint(const std::string& gpsId);
    void OnAddPoint();
    void OnEditPoint();
    void OnDeletePoint();
    void OnMoveTop();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveBottom();
    void MoveJStake(JMove kind);
    void SwitchView(ActiveView view);
    void ShowToolMode(PlotCanvas::ToolMode mode);
    void OnViewModeChanged(ViewMode mode);
    void ShowOptionsInStatusBar();
    // ORG conversion only after the check, unless the user goes on anyway;
    // false when the findings are shown instead.
    bool CheckBeforeOrg();

    UiServices& ui_;
    UiReporter reporter_;
    ProjectDocument* document_;
    std::unique_ptr<PointEditor> editor_;
    ActiveView activeView_ = ActiveView::List;
    std::string orgOutputPath_;
    QStackedWidget* views_;
    PointTableView* listView_;
    PlanView* planView_;
    CheckPanel* checkPanel_;
    QToolBar* toolBar_ = nullptr;
    ToolbarSet toolbarSet_ = ToolbarSet::Start;
    std::map<int, QAction*> actions_;
    QActionGroup* viewGroup_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentActions_;
    QLabel* messagePane_ = nullptr;
    QLabel* coordinatePane_ = nullptr;
    QLabel* thirdPane_ = nullptr;
    QToolButton* openFolder_ = nullptr;
    QProgressBar* progress_ = nullptr;  // opening a large project
    QString outputFolder_;
    RunReportWindow* runReport_;
    FindDialog* find_ = nullptr;
    bool syncingSelection_ = false;
    bool opening_ = false;
};

}  // namespace linvara::gui
