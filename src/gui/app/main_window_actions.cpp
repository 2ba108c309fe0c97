// Actions, menus, toolbar sets and status bar of the main window.
#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "app/command_ids.h"
#include "app/import_actions.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "app/user_guide.h"
#include "dialogs/deliverable_actions.h"
#include "views/plan_view.h"

namespace linvara::gui {
namespace {

using Set = MainWindow::ToolbarSet;

const std::vector<int>& SetCommands(Set set) {
    static const std::vector<int> kStart = {cmd::Open, cmd::Save, 0};
    static const std::vector<int> kList = {cmd::Open, cmd::Save, cmd::Undo, cmd::Redo, cmd::ListView, cmd::PlanView, 0,
                                           cmd::AddPoint, cmd::EditPoint, cmd::DeletePoint, 0,
                                           cmd::AllPoints, cmd::JStakeEdit, cmd::ZStakeEdit, 0,
                                           cmd::AutoJOrder, cmd::AppointJ, cmd::MileageSort, 0, cmd::OrgOutput, cmd::Check};
    static const std::vector<int> kPlan = {cmd::Open, cmd::Save, cmd::Undo, cmd::Redo, cmd::ListView, cmd::PlanView, 0,
                                           cmd::Center, cmd::PickTool, cmd::PanTool, 0,
                                           cmd::ZoomIn, cmd::ZoomOut, cmd::PreviousView, cmd::NextView, cmd::ZoomWindow, 0,
                                           cmd::AutoJOrder, cmd::AppointJ, cmd::MileageSort, 0, cmd::OrgOutput, cmd::Check};
    static const std::vector<int> kJStake = {cmd::Open, cmd::Save, cmd::Undo, cmd::Redo, cmd::ListView, cmd::PlanView, 0,
                                             cmd::AddPoint, cmd::EditPoint, cmd::DeletePoint, 0,
                                             cmd::AllPoints, cmd::JStakeEdit, cmd::ZStakeEdit,
                                             cmd::MoveTop, cmd::MoveUp, cmd::MoveDown, cmd::MoveBottom};
    static const std::vector<int> kZStake = {cmd::Open, cmd::Save, cmd::Undo, cmd::Redo, cmd::ListView, cmd::PlanView, 0,
                                             cmd::AddPoint, cmd::EditPoint, cmd::DeletePoint, 0,
                                             cmd::AllPoints, cmd::JStakeEdit, cmd::ZStakeEdit};
    switch (set) {
        case Set::List: return kList;
        case Set::Plan: return kPlan;
        case Set::JStake: return kJStake;
        case Set::ZStake: return kZStake;
        default: return kStart;
    }
}

// Commands that need an open project.
constexpr int kLoadedOnly[] = {cmd::OrgOutputMenu, cmd::FileOutput, cmd::AllPoints, cmd::JStakeEdit,
                               cmd::ZStakeEdit, cmd::MileageSort, cmd::AppointJ, cmd::AddPoint,
                               cmd::EditPoint, cmd::DeletePoint, cmd::Reset, cmd::Check,
                               cmd::Find, cmd::ZoomToSelection, cmd::AutoJOrder, cmd::Copy, cmd::Reread,
                               cmd::ListView, cmd::PlanView};

}  // namespace

QAction* MainWindow::NewAction(int id, const char* text, const char* tip, const char* icon,
                               void (MainWindow::*slot)()) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    action->setData(id);
    action->setToolTip(QString::fromUtf8(tip));
    action->setStatusTip(QString::fromUtf8(tip));
    if (icon) action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(icon))));
    connect(action, &QAction::triggered, this, slot);
    actions_[id] = action;
    return action;
}

void MainWindow::CreateActions() {
    NewAction(cmd::Open, "打开(&O)", "打开", "open", &MainWindow::OnOpen)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Action(cmd::Open)->setStatusTip(QStringLiteral("打开现有文档"));
    NewAction(cmd::Save, "保存(&S)\tCtrl+S", "保存", "save", &MainWindow::OnSave);
    addAction(NewAction(cmd::SaveKey, "保存", "保存", nullptr, &MainWindow::OnSave));
    Action(cmd::SaveKey)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    NewAction(cmd::Exit, "退出", "退出", nullptr, &MainWindow::OnExit);
    NewAction(cmd::Reread, "重新读取", "重新读取工程文件（先保存尚未保存的排序）", nullptr, &MainWindow::OnReread);
    NewAction(cmd::Copy, "复制\tCtrl+C", "复制所选行，可粘贴到Excel或WPS表格", nullptr, &MainWindow::OnCopy);
    NewAction(cmd::CopyImage, "复制图像", "复制图形界面所显示的图像", nullptr, &MainWindow::OnCopyImage);
    NewAction(cmd::About, "关于 Linvara(&A)...", "关于", nullptr, &MainWindow::OnAbout);
    NewAction(cmd::TowerBase, "塔基断面转换", "塔基断面转换", nullptr, &MainWindow::OnTowerBase);
    NewAction(cmd::Merge, "数据合并", "数据合并", nullptr, &MainWindow::OnMerge);
    NewAction(cmd::OrgOutputMenu, "转换输出", "转换输出", nullptr, &MainWindow::OnOrgOutput);
    NewAction(cmd::FileOutput, "文件输出", "文件输出", nullptr, &MainWindow::OnFileOutput);
    NewAction(cmd::Options, "设置选项(&S)...", "设置", nullptr, &MainWindow::OnOptions);
    NewAction(cmd::Reset, "还原到测量数据", "还原到测量数据", nullptr, &MainWindow::OnReset);
    NewAction(cmd::Check, "检查(&C)", "检查当前列表和塔基数据，列出转换前应处理的问题", "check", &MainWindow::OnCheck);
    NewAction(cmd::Find, "查找(&F)...", "按点名或里程查找点 (Ctrl+F)", nullptr, &MainWindow::OnFind)
        ->setShortcut(QKeySequence::Find);
    NewAction(cmd::ZoomToSelection, "缩放到所选点", "图形界面显示并放大到列表中所选的点", nullptr,
              &MainWindow::OnZoomToSelection);
    NewAction(cmd::ListView, "表格界面", "表格界面", "list_view", &MainWindow::OnListView);
    NewAction(cmd::PlanView, "图形界面", "图形界面", "plan_view", &MainWindow::OnPlanView);
    NewAction(cmd::AddPoint, "增加点", "增加点", "add_point", &MainWindow::OnAddPoint);
    NewAction(cmd::EditPoint, "编辑点", "编辑点", "edit_point", &MainWindow::OnEditPoint);
    NewAction(cmd::DeletePoint, "删除点", "删除点", "delete_point", &MainWindow::OnDeletePoint);
    NewAction(cmd::AllPoints, "所有点", "所有点", "all_points", &MainWindow::OnAllPoints);
    NewAction(cmd::JStakeEdit, "J桩编辑", "J桩编辑", "j_stakes", &MainWindow::OnJStakeEdit);
    NewAction(cmd::ZStakeEdit, "Z桩编辑", "Z桩编辑", "z_stakes", &MainWindow::OnZStakeEdit);
    NewAction(cmd::AutoJOrder, "自动J桩排序", "自动J桩排序", "auto_order", &MainWindow::OnAutoJOrder);
    NewAction(cmd::AppointJ, "指定J桩", "指定J桩", "appoint_j", &MainWindow::OnAppointJ);
    NewAction(cmd::MileageSort, "里程排序", "里程排序", "mileage_sort", &MainWindow::OnMileageSort);
    NewAction(cmd::OrgOutput, "导出Org", "导出Org", "export_org", &MainWindow::OnOrgOutput);
    NewAction(cmd::MoveTop, "移到顶端", "移到顶端", "move_top", &MainWindow::OnMoveTop);
    NewAction(cmd::MoveUp, "向上", "向上", "move_up", &MainWindow::OnMoveUp);
    NewAction(cmd::MoveDown, "向下", "向下", "move_down", &MainWindow::OnMoveDown);
    NewAction(cmd::MoveBottom, "移到底部", "移到底部", "move_bottom", &MainWindow::OnMoveBottom);
    CreatePlanActions();
    CreateHistoryActions();
    viewGroup_ = new QActionGroup(this);
    for (int id : {cmd::ListView, cmd::PlanView}) {
        Action(id)->setCheckable(true);
        viewGroup_->addAction(Action(id));
    }
    Action(cmd::ListView)->setChecked(true);
    AssignShortcuts();
}

// The keys of the commands a surveyor repeats; each shows in its menu. Ctrl+C
// is the list's own key (a text field keeps its own), so 复制 only names it.
void MainWindow::AssignShortcuts() {
    const std::pair<int, QKeySequence> kKeys[] = {
        {cmd::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},      {cmd::Reread, QKeySequence(Qt::Key_F5)},
        {cmd::AutoJOrder, QKeySequence(Qt::CTRL | Qt::Key_J)}, {cmd::Check, QKeySequence(Qt::Key_F7)},
        {cmd::OrgOutputMenu, QKeySequence(Qt::CTRL | Qt::Key_E)}, {cmd::ListView, QKeySequence(Qt::CTRL | Qt::Key_1)},
        {cmd::PlanView, QKeySequence(Qt::CTRL | Qt::Key_2)},
    };
    for (const auto& [id, key] : kKeys) Action(id)->setShortcut(key);
}

// The plan view's own commands; their buttons show its tool mode.
void MainWindow::CreatePlanActions() {
    struct PlanCommand {
        int id;
        const char* tip;
        const char* icon;
        void (PlanView::*slot)();
    };
    static const PlanCommand kCommands[] = {
        {cmd::Center, "居中显示", "center", &PlanView::OnCenter},
        {cmd::PickTool, "选点", "pick", &PlanView::OnPickTool},
        {cmd::PanTool, "平移", "pan", &PlanView::OnPanTool},
        {cmd::ZoomIn, "放大", "zoom_in", &PlanView::OnZoomIn},
        {cmd::ZoomOut, "缩小", "zoom_out", &PlanView::OnZoomOut},
        {cmd::PreviousView, "前一视图", "previous_view", &PlanView::OnPreviousView},
        {cmd::NextView, "后一视图", "next_view", &PlanView::OnNextView},
        {cmd::ZoomWindow, "窗口放大", "zoom_window", &PlanView::OnZoomWindow},
    };
    for (const PlanCommand& c : kCommands) {
        auto* action = new QAction(QString::fromUtf8(c.tip), this);
        action->setData(c.id);
        action->setToolTip(QString::fromUtf8(c.tip));
        action->setStatusTip(QString::fromUtf8(c.tip));
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(c.icon))));
        const auto slot = c.slot;
        connect(action, &QAction::triggered, this, [this, slot] {
            (planView_->*slot)();
            ShowToolMode(planView_->ToolMode());
        });
        actions_[c.id] = action;
    }
    for (int id : {cmd::PickTool, cmd::PanTool, cmd::ZoomWindow}) Action(id)->setCheckable(true);
}

// 撤销/重做 follow the document's history: greyed when there is nothing to
// take back, their text naming the command ("撤销 删除点").
void MainWindow::CreateHistoryActions() {
    QUndoStack& history = document_->History();
    struct HistoryCommand {
        int id;
        QAction* action;
        const char* icon;
        QList<QKeySequence> keys;
    };
    const HistoryCommand commands[] = {
        {cmd::Undo, history.createUndoAction(this, QStringLiteral("撤销")), "undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {cmd::Redo, history.createRedoAction(this, QStringLiteral("重做")), "redo",
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
    };
    for (const HistoryCommand& c : commands) {
        c.action->setData(c.id);
        c.action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(c.icon))));
        c.action->setShortcuts(c.keys);
        c.action->setShortcutContext(Qt::WindowShortcut);
        const auto showTip = [action = c.action] {
            action->setToolTip(action->text());
            action->setStatusTip(action->text());
        };
        connect(c.action, &QAction::changed, this, showTip);
        showTip();
        actions_[c.id] = c.action;
        addAction(c.action);  // the keys work whichever toolbar set is shown
    }
}

void MainWindow::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    fileMenu_->setSeparatorsCollapsible(true);
    fileMenu_->addAction(Action(cmd::Open));
    fileMenu_->addAction(Action(cmd::Save));
    fileMenu_->addAction(Action(cmd::Reread));
    fileMenu_->addAction(NewImportAction(*this, ui_));
    fileMenu_->addSeparator();
    (new DeliverableActions(*document_, ui_, this))->AddTo(*fileMenu_);  // plan drawing, print, results workbook
    fileMenu_->addSeparator();
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(Action(cmd::Exit));
    connect(fileMenu_, &QMenu::aboutToShow, this, &MainWindow::FillRecentFiles);

    QMenu* operations = menuBar()->addMenu(QStringLiteral("操作(&O)"));
    operations->addAction(Action(cmd::Undo));
    operations->addAction(Action(cmd::Redo));
    operations->addAction(Action(cmd::Copy));
    operations->addAction(Action(cmd::CopyImage));
    operations->addSeparator();
    operations->addAction(Action(cmd::AutoJOrder));
    operations->addSeparator();
    operations->addAction(Action(cmd::TowerBase));
    operations->addSeparator();
    operations->addAction(Action(cmd::Merge));
    operations->addSeparator();
    operations->addAction(Action(cmd::OrgOutputMenu));
    operations->addAction(Action(cmd::FileOutput));
    operations->addAction(Action(cmd::Check));
    operations->addAction(NewLatLonAction(*document_, ui_, this));
    operations->addSeparator();
    operations->addAction(Action(cmd::Find));
    operations->addAction(Action(cmd::ZoomToSelection));
    operations->addSeparator();
    operations->addAction(Action(cmd::Reset));

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    view->addAction(Action(cmd::ListView));
    view->addAction(Action(cmd::PlanView));

    menuBar()->addMenu(QStringLiteral("设置(&S)"))->addAction(Action(cmd::Options));
    QMenu* help = menuBar()->addMenu(QStringLiteral("关于(&H)"));
    help->addAction(NewUserGuideAction(this, ui_));
    help->addAction(Action(cmd::About));
}

void MainWindow::FillRecentFiles() {
    for (QAction* old : recentActions_) {
        fileMenu_->removeAction(old);
        old->deleteLater();
    }
    recentActions_.clear();
    const QStringList files = PruneRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), fileMenu_);
        connect(action, &QAction::triggered, this, [this, path] { OpenProjectFile(path); });
        fileMenu_->insertAction(recentSeparator_, action);
        recentActions_.push_back(action);
    }
}

void MainWindow::CreateToolBar() {
    toolBar_ = addToolBar(QStringLiteral("工具栏"));
    toolBar_->setObjectName("mainToolBar");
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setMovable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    InstallToolbar(Set::Start);
}

void MainWindow::InstallToolbar(ToolbarSet set) {
    toolbarSet_ = set;
    toolBar_->clear();
    for (int id : SetCommands(set)) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        toolBar_->addAction(Action(id));
        if (QWidget* button = toolBar_->widgetForAction(Action(id))) button->setFixedSize(40, 40);
    }
}

std::vector<int> MainWindow::ToolbarCommands() const {
    std::vector<int> ids;
    for (QAction* action : toolBar_->actions()) ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    return ids;
}

void MainWindow::CreateStatusBar() {
    messagePane_ = new QLabel(QStringLiteral("就绪"));
    coordinatePane_ = new QLabel;
    thirdPane_ = new QLabel;
    coordinatePane_->setObjectName("coordinatePane");
    const QString sizing = QStringLiteral("N: 0000000.000 m    E: 000000.000 m          ");
    coordinatePane_->setMinimumWidth(coordinatePane_->fontMetrics().horizontalAdvance(sizing) + 8);
    thirdPane_->setMinimumWidth(60);
    thirdPane_->setObjectName("mileagePane");
    openFolder_ = new QToolButton;
    openFolder_->setObjectName("openFolderButton");
    openFolder_->setText(QStringLiteral("打开文件夹"));
    openFolder_->setToolTip(QStringLiteral("在文件管理器中打开刚写出的文件所在的文件夹"));
    openFolder_->setAutoRaise(true);
    openFolder_->hide();
    connect(openFolder_, &QToolButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(outputFolder_)); });
    progress_ = new QProgressBar;
    progress_->setObjectName("openProgress");
    progress_->setMaximumWidth(240);
    progress_->setTextVisible(false);
    progress_->hide();
    statusBar()->addWidget(messagePane_, 1);
    statusBar()->addWidget(openFolder_);
    statusBar()->addWidget(progress_);
    statusBar()->addPermanentWidget(coordinatePane_);
    statusBar()->addPermanentWidget(thirdPane_);
}

void MainWindow::UpdateCommandState() {
    for (int id : kLoadedOnly) Action(id)->setEnabled(document_->IsOpen());
    Action(cmd::CopyImage)->setEnabled(document_->IsOpen() && activeView_ == ActiveView::Plan);
    Action(activeView_ == ActiveView::List ? cmd::ListView : cmd::PlanView)->setChecked(true);
}

void MainWindow::ShowToolMode(PlotCanvas::ToolMode mode) {
    Action(cmd::PanTool)->setChecked(mode == PlotCanvas::PanTool);
    Action(cmd::PickTool)->setChecked(mode == PlotCanvas::PickTool);
    Action(cmd::ZoomWindow)->setChecked(mode == PlotCanvas::ZoomWindowTool);
}

}  // namespace linvara::gui
