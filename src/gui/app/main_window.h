#pragma once
#include <QMainWindow>
#include <map>
#include <vector>

#include "app/project_state.h"
#include "common/ui_reporter.h"
#include "plan/plot_canvas.h"
#include "views/plan_view_host.h"
#include "views/point_table_host.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

namespace linvara::gui {

class PlanView;
class PointTableView;
class ProjectDocument;
class UiServices;

// The main window: menu, toolbar sets, status bar, the list and plan views
// in a stack, and the project state every command works on.
class MainWindow : public QMainWindow, public PlanViewHost, public PointTableHost {
    Q_OBJECT
public:
    enum class ToolbarSet { Start, List, Plan, JStake, ZStake };

    explicit MainWindow(UiServices& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Saves the open project, then opens this one (title, list toolbar, all
    // points, both views refreshed). False when it cannot be opened.
    bool OpenProjectFile(const QString& path);

    QAction* Action(int commandId) const;
    ToolbarSet CurrentToolbarSet() const { return toolbarSet_; }
    // The command ids of the toolbar as shown, 0 for a separator.
    std::vector<int> ToolbarCommands() const;
    QToolBar& ToolBar() const { return *toolBar_; }
    PointTableView& PointTable() const { return *listView_; }
    PlanView& Plan() const { return *planView_; }
    ProjectDocument& Document() const { return *document_; }
    QString CoordinateText() const;
    QString MessageText() const;
    const ProjectState& StateView() const { return state_; }

    // PlanViewHost
    void SetCoordinateText(double north, double east) override;
    ViewMode CurrentViewMode() const override { return state_.viewMode; }
    const DHPointList* CurrentList() const override { return state_.current; }
    void EditPointAt(int row) override;
    void DeletePointsByGpsId(const std::vector<std::string>& gpsIds) override;
    void AppointJStakesFor(const std::vector<std::string>& gpsIds) override;
    void UpdateAllViews(UpdateHint hint) override;
    bool ConfirmOkCancel(const QString& text) override;
    // PointTableHost
    ProjectState& State() override { return state_; }
    UiServices& Ui() override { return ui_; }
    void ShowInPlan(ViewMode viewMode, const DHPointList& list) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // main_frame_actions.cpp
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void InstallToolbar(ToolbarSet set);
    void UpdateCommandState();
    void CreatePlanActions();
    void FillRecentFiles();
    QAction* NewAction(int id, const char* text, const char* tip, const char* icon, void (MainWindow::*slot)());

    // main_frame_commands.cpp
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
    void OnAddPoint();
    void OnEditPoint();
    void OnDeletePoint();
    void OnMoveTop();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveBottom();
    void SwitchView(ActiveView view);
    void ShowToolMode(PlotCanvas::ToolMode mode);

    UiServices& ui_;
    UiReporter reporter_;
    ProjectState state_;
    ProjectDocument* document_;
    QStackedWidget* views_;
    PointTableView* listView_;
    PlanView* planView_;
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
};

}  // namespace linvara::gui
