// The main window: start-up, opening, toolbar sets, view switching, saving
// on close and on opening another project, reset, options, ORG output.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

#include "app/about_dialog.h"
#include "app/build_date.h"
#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/recent_files.h"
#include "common/workspace.h"
#include "db/project_database.h"
#include "dialogs/options_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "gui_test_support.h"
#include "views/plan_view.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

using Ids = std::vector<int>;
const Ids kStartSet = {cmd::Open, cmd::Save, 0};
const Ids kListSet = {57601, 57604, 57643, 57644, 32771, 32772, 0, 32829, 32830, 32831, 0, 32826, 32774, 32775, 0,
                      32827, 32780, 32776, 0, 32832, cmd::Check};
const Ids kPlanSet = {57601, 57604, 57643, 57644, 32771, 32772, 0, 32785, 32794, 32793, 0, 32777, 32778, 32781, 32782,
                      32786, 0, 32827, 32780, 32776, 0, 32832, cmd::Check};
const Ids kJSet = {57601, 57604, 57643, 57644, 32771, 32772, 0, 32829, 32830, 32831, 0, 32826, 32774, 32775,
                   32822, 32823, 32824, 32825};
const Ids kZSet = {57601, 57604, 57643, 57644, 32771, 32772, 0, 32829, 32830, 32831, 0, 32826, 32774, 32775};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;

    MainWindow& Start() {
        app_ = std::make_unique<LinvaraApp>(*ui_);
        return app_->InitInstance(QString());
    }
    MainWindow& StartWith(const std::string& project) {
        app_ = std::make_unique<LinvaraApp>(*ui_);
        return app_->InitInstance(QString::fromStdString(project));
    }
    void Run(MainWindow& frame, int id) {
        QAction* action = frame.Action(id);
        QVERIFY2(action, qPrintable(QString::number(id)));
        action->trigger();
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
    }
    void cleanup() {
        app_.reset();
        ui_.reset();
        dir_.reset();
    }

    void startUpShowsOnlyOpenAndSave() {
        MainWindow& frame = Start();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Linvara电力格式转换"));
        QVERIFY(frame.isMaximized());
        QCOMPARE(frame.ToolbarCommands(), kStartSet);
        QVERIFY(!frame.Action(cmd::OrgOutputMenu)->isEnabled());
        QVERIFY(!frame.Action(cmd::FileOutput)->isEnabled());
        QVERIFY(frame.Action(cmd::Merge)->isEnabled());
        QCOMPARE(frame.MessageText(), QStringLiteral("就绪"));
        QCOMPARE(frame.PointTable().Model().rowCount(), 0);
    }

    void menuBarAsListed() {
        MainWindow& frame = Start();
        QStringList seen;
        for (QAction* menu : frame.menuBar()->actions()) {
            QStringList items;
            for (QAction* item : menu->menu()->actions()) items << (item->isSeparator() ? "-" : item->text());
            seen << menu->text() + ": " + items.join('|');
        }
        QCOMPARE(seen, QStringList({"文件(&F): 打开(&O)|保存(&S)\tCtrl+S|重新读取|导入文本数据…|-|导出平面图…|打印…|成果表…|-|-|退出",
                                    "操作(&O): 撤销|重做|复制\tCtrl+C|复制图像|-|自动J桩排序|-|塔基断面转换|-|数据合并|-|转换输出|文件输出|检查(&C)|计算经纬度…|-|查找(&F)...|缩放到所选点|-|还原到测量数据",
                                    "视图(&V): 表格界面|图形界面",
                                    "设置(&S): 设置选项(&S)...", "关于(&H): 用户手册(&M)|关于 Linvara(&A)..."}));
        QCOMPARE(frame.Action(cmd::Open)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(frame.Action(cmd::SaveKey)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(frame.Action(cmd::Open)->statusTip(), QStringLiteral("打开现有文档"));
        QCOMPARE(frame.Action(cmd::ZoomWindow)->toolTip(), QStringLiteral("窗口放大"));
        for (int id : kPlanSet)
            if (id) QVERIFY2(!frame.Action(id)->icon().isNull(), qPrintable(QString::number(id)));
    }

    // The commands a surveyor repeats have keys, each shown in a menu, and no
    // key belongs to two commands (Qt would run neither).
    void keysOfRepeatedCommands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("key");
        QTest::newRow("自动J桩排序") << int(cmd::AutoJOrder) << "Ctrl+J";
        QTest::newRow("检查") << int(cmd::Check) << "F7";
        QTest::newRow("转换输出") << int(cmd::OrgOutputMenu) << "Ctrl+E";
        QTest::newRow("表格界面") << int(cmd::ListView) << "Ctrl+1";
        QTest::newRow("图形界面") << int(cmd::PlanView) << "Ctrl+2";
        QTest::newRow("退出") << int(cmd::Exit) << "Ctrl+Q";
        QTest::newRow("重新读取") << int(cmd::Reread) << "F5";
        QTest::newRow("查找") << int(cmd::Find) << "Ctrl+F";
    }
    void keysOfRepeatedCommands() {
        QFETCH(int, command);
        QFETCH(QString, key);
        MainWindow& frame = Start();
        QCOMPARE(frame.Action(command)->shortcut(), QKeySequence(key));
        bool inMenu = false;
        QMap<QKeySequence, QString> owners;
        for (QAction* menu : frame.menuBar()->actions())
            for (QAction* item : menu->menu()->actions()) {
                inMenu = inMenu || item == frame.Action(command);
                for (const QKeySequence& k : item->shortcuts()) {
                    QVERIFY2(!owners.contains(k), qPrintable(k.toString() + ": " + owners.value(k) + ", " + item->text()));
                    owners.insert(k, item->text());
                }
            }
        QVERIFY(inMenu);
    }

    // 复制图像 copies the plan as shown; it waits while the list is shown.
    void copyImageCopiesThePlan() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        QVERIFY(!frame.Action(cmd::CopyImage)->isEnabled());
        Run(frame, cmd::PlanView);
        QVERIFY(frame.Action(cmd::CopyImage)->isEnabled());
        QGuiApplication::clipboard()->clear();
        Run(frame, cmd::CopyImage);
        const QImage copied = QGuiApplication::clipboard()->image();
        QVERIFY(!copied.isNull());
        QCOMPARE(copied.deviceIndependentSize().toSize(), frame.Plan().size());
        QCOMPARE(frame.MessageText(), QStringLiteral("已复制图形界面的图像"));
    }

    void openShowsTheProject() {
        const std::string path = WriteSmallProject(*dir_);
        MainWindow& frame = Start();
        ui_->openFiles.push_back(QString::fromStdString(path));
        Run(frame, cmd::Open);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Linvara电力格式转换 - ") + QString::fromStdString(path));
        QCOMPARE(frame.ToolbarCommands(), kListSet);
        QCOMPARE(frame.PointTable().Model().rowCount(), 8);
        QVERIFY(frame.Action(cmd::OrgOutputMenu)->isEnabled());
        QVERIFY(frame.Document().IsOpen());
        QCOMPARE(frame.PointTable().SelectedRow(), 0);
        QVERIFY(RecentFiles().contains(Shown(path)));
        QVERIFY(ui_->lastFilter.contains("*.PD"));
    }

    void cancelledOpenChangesNothing() {
        MainWindow& frame = Start();
        Run(frame, cmd::Open);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Linvara电力格式转换"));
        QVERIFY(!frame.Document().IsOpen());
    }

    void commandLineProjectAndDropOpen() {
        const std::string first = WriteSmallProject(*dir_, "a.PD");
        const std::string second = WriteSmallProject(*dir_, "b.pd");
        MainWindow& frame = StartWith(first);
        QVERIFY(frame.windowTitle().endsWith("a.PD"));
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(second))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &drop);
        QVERIFY(frame.windowTitle().endsWith("b.pd"));
    }

    void toolbarSetsFollowCommands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<Ids>("set");
        QTest::addColumn<ViewMode>("viewMode");
        QTest::addColumn<int>("rows");
        QTest::addColumn<ActiveView>("activeView");
        QTest::newRow("J stakes") << int(cmd::JStakeEdit) << kJSet << ViewMode::JStakes << 3 << ActiveView::List;
        QTest::newRow("Z stakes") << int(cmd::ZStakeEdit) << kZSet << ViewMode::ZStakes << 1 << ActiveView::List;
        QTest::newRow("all points") << int(cmd::AllPoints) << kListSet << ViewMode::AllPoints << 8 << ActiveView::List;
        QTest::newRow("plan view") << int(cmd::PlanView) << kPlanSet << ViewMode::AllPoints << 8 << ActiveView::Plan;
        QTest::newRow("list view") << int(cmd::ListView) << kListSet << ViewMode::AllPoints << 8 << ActiveView::List;
    }
    void toolbarSetsFollowCommands() {
        QFETCH(int, command);
        QFETCH(Ids, set);
        QFETCH(ViewMode, viewMode);
        QFETCH(int, rows);
        QFETCH(ActiveView, activeView);
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        Run(frame, command);
        QCOMPARE(frame.ToolbarCommands(), set);
        QCOMPARE(frame.Document().Mode(), viewMode);
        QCOMPARE(frame.PointTable().Model().rowCount(), rows);
        QCOMPARE(frame.ShownView(), activeView);
    }

    void viewSwitching() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        auto* stack = qobject_cast<QStackedWidget*>(frame.centralWidget());
        Run(frame, cmd::JStakeEdit);
        QCOMPARE(frame.PointTable().Model().rowCount(), 3);
        Run(frame, cmd::PlanView);
        QCOMPARE(stack->currentIndex(), 1);
        QVERIFY(frame.Action(cmd::PlanView)->isChecked());
        QCOMPARE(frame.Document().Mode(), ViewMode::JStakes);  // the plan view keeps the mode
        Run(frame, cmd::PlanView);                // already shown: nothing
        QCOMPARE(frame.ToolbarCommands(), kPlanSet);
        Run(frame, cmd::ListView);
        QCOMPARE(stack->currentIndex(), 0);
        QVERIFY(frame.Action(cmd::ListView)->isChecked());
        QCOMPARE(frame.Document().Mode(), ViewMode::AllPoints);
        QCOMPARE(frame.PointTable().Model().rowCount(), 8);  // the list follows the mode at once
    }

    void saveWithoutProjectDoesNothing() {
        MainWindow& frame = Start();
        Run(frame, cmd::Save);
        Run(frame, cmd::SaveKey);
        QVERIFY(ui_->messages.empty());
    }

    void closingSavesTheOrder() {
        const std::string path = WriteSmallProject(*dir_);
        {
            MainWindow& frame = StartWith(path);
            Run(frame, cmd::JStakeEdit);
            frame.PointTable().SelectRow(2);
            Run(frame, cmd::MoveTop);
            QCOMPARE(ShownNames(frame.PointTable()), (std::vector<std::string>{"J3", "J1", "J2"}));
            QVERIFY(frame.close());
        }
        app_.reset();
        QCOMPARE(Names(JStakeList(ReadBack(path))), (std::vector<std::string>{"J3", "J1", "J2"}));
        QCOMPARE(ReadBack(path).front().NewPtName, std::string("J3"));
    }

    // A reordered project is written back before another one is opened.
    void openingAnotherProjectSavesTheFirst() {
        const std::string first = WriteSmallProject(*dir_, "a.PD");
        const std::string second = WriteSmallProject(*dir_, "b.PD");
        MainWindow& frame = StartWith(first);
        Run(frame, cmd::JStakeEdit);
        frame.PointTable().SelectRow(0);
        Run(frame, cmd::MoveBottom);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(second)));
        QCOMPARE(Names(JStakeList(ReadBack(first))), (std::vector<std::string>{"J2", "J3", "J1"}));
        QCOMPARE(Names(JStakeList(ReadBack(second))), (std::vector<std::string>{"J1", "J2", "J3"}));
        QCOMPARE(frame.ToolbarCommands(), kListSet);
        QCOMPARE(frame.Document().Mode(), ViewMode::AllPoints);
    }

    void saveInJStakeModeWritesTheWholeList() {
        const std::string path = WriteSmallProject(*dir_);
        MainWindow& frame = StartWith(path);
        Run(frame, cmd::JStakeEdit);
        frame.PointTable().SelectRow(1);
        Run(frame, cmd::MoveDown);
        Run(frame, cmd::Save);
        const DHPointList saved = ReadBack(path);
        QCOMPARE(saved.size(), size_t(8));
        QCOMPARE(Names(JStakeList(saved)), (std::vector<std::string>{"J1", "J3", "J2"}));
    }

    void resetAsksThenRestoresTheSurvey() {
        const std::string path = WriteSmallProject(*dir_);
        MainWindow& frame = StartWith(path);
        Run(frame, cmd::JStakeEdit);
        frame.PointTable().SelectRow(2);
        Run(frame, cmd::MoveTop);
        Run(frame, cmd::Save);
        ui_->answers = {false};
        Run(frame, cmd::Reset);
        QCOMPARE(ui_->messages.back().text,
                 QStringLiteral("已经编辑和排序好的数据将丢失，确定把数据还原到最初的状态吗？"));
        QCOMPARE(frame.Document().Points().front().NewPtName, std::string("J3"));
        ui_->answers = {true};
        Run(frame, cmd::Reset);
        QCOMPARE(frame.Document().Points().front().NewPtName, std::string("J1"));
        QCOMPARE(frame.Document().Mode(), ViewMode::AllPoints);
        QCOMPARE(frame.PointTable().Model().rowCount(), 8);
        // All points again, and the toolbar with them: no move buttons that do nothing.
        QCOMPARE(frame.ToolbarCommands(), kListSet);
    }

    void autoOrderAndMileageSort() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        Run(frame, cmd::JStakeEdit);
        Run(frame, cmd::AutoJOrder);
        QCOMPARE(frame.Document().Mode(), ViewMode::AllPoints);
        QCOMPARE(frame.ToolbarCommands(), kListSet);
        QCOMPARE(frame.PointTable().Model().rowCount(), 8);
        const DHPointList& list = frame.Document().Points();
        for (size_t i = 1; i < list.size(); ++i) QVERIFY(list[i - 1].Mileage <= list[i].Mileage);
        QVERIFY(list.back().Mileage > 0);
        Run(frame, cmd::MileageSort);
        QCOMPARE(frame.PointTable().Model().rowCount(), 8);
    }

    // With no project open the options are the user's defaults: a new start
    // keeps them, and a project without options of its own opens with them.
    void optionsWithoutAProjectAreTheUsersDefaults() {
        const auto builtIn = qScopeGuard([] { workspace::RememberDefaultOptions(ConversionOptions{}); });
        MainWindow& frame = Start();
        ui_->dialogs.push_back(FillThenOk<OptionsDialog>([](OptionsDialog& d) {
            d.findChild<QLineEdit*>("startMileageEdit")->setText("1250.5");
            d.findChild<QCheckBox*>("useStartNameCheck")->setChecked(true);
            d.findChild<QLineEdit*>("startNameEdit")->setText("20");
        }));
        Run(frame, cmd::Options);
        QCOMPARE(frame.Document().Options().StartMileage, 1250.5);
        QCOMPARE(frame.Document().Options().StartName, std::string("20"));
        ui_->dialogs.push_back([](QDialog& d) {
            d.findChild<QLineEdit*>("startMileageEdit")->setText("7");
            return int(QDialog::Rejected);
        });
        Run(frame, cmd::Options);
        QCOMPARE(frame.Document().Options().StartMileage, 1250.5);
        app_.reset();
        MainWindow& again = Start();
        QCOMPARE(again.Document().Options().StartMileage, 1250.5);
        QVERIFY(again.OpenProjectFile(QString::fromStdString(WriteSmallProject(*dir_))));
        QCOMPARE(again.Document().Options().StartName, std::string("20"));
        QCOMPARE(again.MileageText(), QStringLiteral("起始里程 1250.500 m"));
    }

    void orgOutput() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        ui_->gateAnswers = {OrgGateChoice::ConvertAnyway, OrgGateChoice::ConvertAnyway};  // the check's errors
        Run(frame, cmd::OrgOutput);  // cancelled
        QVERIFY(frame.OrgOutputPath().empty());
        QCOMPARE(ui_->lastTitle, QStringLiteral("输出ORG文件"));
        QCOMPARE(ui_->lastSuffix, QStringLiteral("org"));
        const std::string out = dir_->File("line.org");
        ui_->saveFiles.push_back(QString::fromStdString(out));
        Run(frame, cmd::OrgOutputMenu);
        QCOMPARE(frame.OrgOutputPath(), out);
        QVERIFY(std::filesystem::exists(out));
        QVERIFY(!ui_->messages.empty());
    }

    void aboutBoxShowsTheBuildDate() {
        MainWindow& frame = Start();
        QString line;
        ui_->dialogs.push_back([&line](QDialog& d) {
            line = dynamic_cast<AboutDialog&>(d).BuildDateLine();
            return int(QDialog::Accepted);
        });
        Run(frame, cmd::About);
        QCOMPARE(line, QStringLiteral("Build Date: ") + QString::fromStdString(BuildDateText(__DATE__)));
    }

    void keysOpenAndSave() {
        const std::string path = WriteSmallProject(*dir_);
        MainWindow& frame = StartWith(path);
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        Run(frame, cmd::JStakeEdit);
        frame.PointTable().SelectRow(2);
        Run(frame, cmd::MoveUp);
        QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Names(JStakeList(ReadBack(path))), (std::vector<std::string>{"J1", "J3", "J2"}));
        QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui_->lastTitle, QStringLiteral("打开"));
    }

    void toolbarButtonsAreFortyPixels() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        QCOMPARE(frame.ToolBar().iconSize(), QSize(32, 32));
        QCOMPARE(frame.ToolBar().widgetForAction(frame.Action(cmd::AutoJOrder))->size(), QSize(40, 40));
        QCOMPARE(frame.ToolBar().widgetForAction(frame.Action(cmd::AutoJOrder))->toolTip(),
                 QStringLiteral("自动J桩排序"));
    }

    void recentFilesInTheFileMenu() {
        const std::string first = WriteSmallProject(*dir_, "r1.PD");
        const std::string second = WriteSmallProject(*dir_, "r2.PD");
        MainWindow& frame = StartWith(first);
        frame.OpenProjectFile(QString::fromStdString(second));
        QMenu* file = frame.menuBar()->actions().front()->menu();
        emit file->aboutToShow();
        emit file->aboutToShow();  // refilled, not doubled
        QStringList recent;
        QAction* firstEntry = nullptr;
        for (QAction* a : file->actions())
            if (a->text().startsWith('&')) {
                recent << a->text();
                if (!firstEntry && a->text().endsWith("r1.PD")) firstEntry = a;
            }
        QCOMPARE(recent.mid(0, 2), QStringList({"&1 " + Shown(second), "&2 " + Shown(first)}));
        QVERIFY(recent.size() <= 16);
        firstEntry->trigger();
        QVERIFY(frame.windowTitle().endsWith("r1.PD"));
        for (int i = 0; i < 20; ++i) AddRecentFile(QStringLiteral("/x/%1.PD").arg(i));
        QCOMPARE(RecentFiles().size(), 16);
        QCOMPARE(RecentFiles().front(), QStringLiteral("/x/19.PD"));
    }

    void planToolButtonsFollowTheToolMode() {
        MainWindow& frame = StartWith(WriteSmallProject(*dir_));
        Run(frame, cmd::PlanView);
        auto checked = [&frame] {
            return QList<bool>{frame.Action(cmd::PanTool)->isChecked(), frame.Action(cmd::PickTool)->isChecked(),
                               frame.Action(cmd::ZoomWindow)->isChecked()};
        };
        Run(frame, cmd::PanTool);
        QCOMPARE(checked(), QList<bool>({true, false, false}));
        Run(frame, cmd::PickTool);
        Run(frame, cmd::PickTool);  // pressing it again keeps it pressed
        QCOMPARE(checked(), QList<bool>({false, true, false}));
        Run(frame, cmd::ZoomWindow);
        QCOMPARE(checked(), QList<bool>({false, false, true}));
        Run(frame, cmd::ZoomWindow);  // back to the saved tool
        QCOMPARE(checked(), QList<bool>({false, true, false}));
    }

    void coordinatePane() {
        MainWindow& frame = Start();
        frame.SetCoordinateText(3380123.4567, -12.5);
        QCOMPARE(frame.CoordinateText(), QStringLiteral("北(N): 3380123.457 m    东(E): -12.500 m"));
    }

    void towerBaseDialogsAreModeless() {
        MainWindow& frame = Start();
        Run(frame, cmd::TowerBase);
        Run(frame, cmd::TowerBase);
        const auto dialogs = frame.findChildren<TowerBaseDialog*>();
        QCOMPARE(dialogs.size(), 2);
        QVERIFY(!dialogs[0]->isModal());
        QVERIFY(dialogs[0]->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(dialogs[0]->isVisible());
        QVERIFY(ui_->unexpectedDialogs == 0);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
