// Ordinary slips a new user makes: none destroys or corrupts work, and
// input that cannot be right is refused where it was typed.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "gui_test_support.h"
#include "views/plan_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

class SlipsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::string path_;
    std::unique_ptr<MainWindow> frame_;

    PointTableView& View() { return frame_->PointTable(); }
    const DHPointList& Working() { return frame_->Document().Points(); }
    void Run(int id) { frame_->Action(id)->trigger(); }
    // A pick drag from one corner to the other.
    static void Drag(PlanView& plan, QPoint from, QPoint to) {
        QTest::mousePress(&plan, Qt::LeftButton, {}, from);
        QTest::mouseMove(&plan, to);
        QTest::mouseRelease(&plan, Qt::LeftButton, {}, to);
    }
    bool RowVisible(int row) {
        const QRect rect = View().visualRect(View().Model().index(row, 0));
        return View().viewport()->rect().intersects(rect);
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
        path_ = WriteSmallProject(*dir_);
        frame_ = std::make_unique<MainWindow>(*ui_);
        QVERIFY(frame_->OpenProjectFile(QString::fromStdString(path_)));
    }
    void cleanup() {
        QCOMPARE(ui_->unexpectedDialogs, 0);
        frame_.reset();
        ui_.reset();
        dir_.reset();
    }

    // Zoomed out so far that every point lies within reach of one click:
    // the click picks the one under it; a drag picks what it spans.
    void clickPicksOnePoint() {
        frame_->resize(800, 600);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        Run(cmd::PlanView);
        PlanView& plan = frame_->Plan();
        plan.OnPickTool();
        for (int i = 0; i < 50; ++i) plan.OnZoomOut();
        plan.Canvas().UpdateScreenPositions();
        const ScreenPoint j2 = plan.Canvas().ScreenPosition(5);
        QTest::mouseClick(&plan, Qt::LeftButton, {}, QPoint(j2.x, j2.y));
        QCOMPARE(plan.Canvas().PickedGpsIds(), std::vector<std::string>{"G06_line"});
        QCOMPARE(frame_->MessageText(), QStringLiteral("已选 1 个点"));
        Drag(plan, QPoint(j2.x - 40, j2.y - 40), QPoint(j2.x + 40, j2.y + 40));
        QCOMPARE(plan.Canvas().PickedGpsIds().size(), size_t(8));
        QCOMPARE(frame_->MessageText(), QStringLiteral("已选 8 个点"));
        // Deleting asks about what was picked, by name and number, Cancel first.
        ui_->answers = {false};
        plan.OnDeletePicked();
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除所选的8个点（J1、Z1、A1等）？"));
        QVERIFY(ui_->messages.back().defaultNo);
        QCOMPARE(Working().size(), size_t(8));
    }

    // A click on a row, Ctrl+End, Delete: the question names the selected
    // point, which is scrolled into view first.
    void deleteShowsWhatItDeletes() {
        frame_->resize(600, 200);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        View().SelectRow(1);
        QTest::keyClick(&View(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!RowVisible(1));
        ui_->answers = {false};
        QTest::keyClick(&View(), Qt::Key_Delete);
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除点“Z1”？"));
        QVERIFY(ui_->messages.back().defaultNo);
        QVERIFY(RowVisible(1));
        QCOMPARE(Working().size(), size_t(8));
    }

    // After a delete the row after it is selected; after an add the new
    // row, which comes right after the row selected before.
    void listKeepsItsPlace() {
        View().SelectRow(3);
        Run(cmd::DeletePoint);
        QCOMPARE(View().SelectedGpsIds(), std::vector<std::string>{"G05_line"});
        ui_->dialogs.push_back(FillThenOk<PointDialog>([](PointDialog& d) {
            d.findChild<QLineEdit*>("nameEdit")->setText("N1");
            d.findChild<QLineEdit*>("xEdit")->setText("1120");
            d.findChild<QLineEdit*>("yEdit")->setText("550");
        }));
        Run(cmd::AddPoint);
        QCOMPARE(View().SelectedRow(), 4);
        QCOMPARE(Working()[4].NewPtName, std::string("N1"));
        // The new point is an ordinary detail point, whatever the kind of
        // the selected row (F1, kind 4).
        View().SelectRow(3);
        int kind = -1;
        ui_->dialogs.push_back([&kind](QDialog& d) {
            kind = d.findChild<QComboBox*>("kindCombo")->currentIndex();
            return int(QDialog::Rejected);
        });
        Run(cmd::AddPoint);
        QCOMPARE(kind, int(AuxPoint));
    }

    // Names that cannot be right are refused in the dialog, which stays open
    // with what was typed; nothing reaches the list or the file.
    void namesRefusedInTheDialog_data() {
        QTest::addColumn<bool>("add");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("add, empty") << true << "" << "点名不能为空";
        QTest::newRow("add, blank") << true << "  " << "点名不能为空";
        QTest::newRow("add, a name in use") << true << "J2" << "不能存在相同点名";
        QTest::newRow("edit, a name in use") << false << "J2" << "不能存在相同点名";
        QTest::newRow("edit, empty") << false << "" << "点名不能为空";
    }
    void namesRefusedInTheDialog() {
        QFETCH(bool, add);
        QFETCH(QString, name);
        QFETCH(QString, said);
        const auto stored = ReadBack(path_);
        View().SelectRow(1);
        QString kept;
        int result = -1;
        ui_->dialogs.push_back([&](QDialog& d) {
            auto& dialog = dynamic_cast<PointDialog&>(d);
            dialog.findChild<QLineEdit*>("nameEdit")->setText(name);
            dialog.findChild<QLineEdit*>("codeEdit")->setText("typed");
            dialog.OnOk();
            result = dialog.result();
            kept = dialog.findChild<QLineEdit*>("codeEdit")->text();
            return int(QDialog::Rejected);  // the user gives up
        });
        Run(add ? cmd::AddPoint : cmd::EditPoint);
        QCOMPARE(result, int(QDialog::Rejected));  // still open after OK
        QCOMPARE(kept, QStringLiteral("typed"));
        QCOMPARE(ui_->messages.back().text, said);
        QCOMPARE(Names(Working()), Names(stored));
        QCOMPARE(Names(ReadBack(path_)), Names(stored));
    }

    // A point at (0, 0) or more than 50 km from every other point is asked
    // about on OK, No first: No keeps the dialog open with what was typed,
    // Yes stores it. An edit asks only about a position it changes, and the
    // edited point's old place is no "other point".
    void implausiblePlacesAsked_data() {
        QTest::addColumn<int>("task");  // PointDialog::Task
        QTest::addColumn<int>("row");   // the row added after, inserted before or edited
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("question");  // empty: none
        const QString atZero = QStringLiteral("坐标为(0, 0)，确定要保存这个点吗？");
        const auto far = [](const char* name, const char* km) {
            return QStringLiteral("该点距其他所有点都超过50公里（最近的点“%1”也有%2公里），确定要保存这个点吗？")
                .arg(QString::fromUtf8(name), QString::fromLatin1(km));
        };
        const int add = PointDialog::Add, insert = PointDialog::Insert, edit = PointDialog::Edit;
        QTest::newRow("add at (0, 0)") << add << 1 << "0" << "0" << atZero;
        QTest::newRow("add 55 km from J3") << add << 1 << "1300" << "55800" << far("J3", "55.0");
        QTest::newRow("add 45 km from J3") << add << 1 << "1300" << "45800" << QString();
        QTest::newRow("insert at (0, 0)") << insert << 2 << "0" << "0" << atZero;
        QTest::newRow("edit, moved to (0, 0)") << edit << 2 << "0" << "0" << atZero;
        QTest::newRow("edit, J3 moved 55 km: F2 is nearest") << edit << 7 << "1300" << "55800" << far("F2", "55.1");
        QTest::newRow("edit, same place") << edit << 7 << "1300" << "800" << QString();
    }
    void implausiblePlacesAsked() {
        QFETCH(int, task);
        QFETCH(int, row);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, question);
        ui_->answers = {false, true};
        int firstResult = -1;
        QString keptName, keptX;
        ui_->dialogs.push_back([&](QDialog& d) {
            auto& dialog = dynamic_cast<PointDialog&>(d);
            if (task != PointDialog::Edit) dialog.findChild<QLineEdit*>("nameEdit")->setText("N1");
            dialog.findChild<QLineEdit*>("xEdit")->setText(x);
            dialog.findChild<QLineEdit*>("yEdit")->setText(y);
            dialog.findChild<QLineEdit*>("codeEdit")->setText("typed");
            dialog.OnOk();
            firstResult = dialog.result();
            keptName = dialog.findChild<QLineEdit*>("nameEdit")->text();
            keptX = dialog.findChild<QLineEdit*>("xEdit")->text();
            if (firstResult != QDialog::Accepted) dialog.OnOk();  // and now Yes
            return dialog.result();
        });
        if (task == PointDialog::Insert) {
            View().InsertPointAt(row);
        } else {
            View().SelectRow(row);
            Run(task == PointDialog::Add ? cmd::AddPoint : cmd::EditPoint);
        }
        const int at = task == PointDialog::Add ? row + 1 : row;
        const DHPoint stored = ReadBack(path_)[static_cast<size_t>(at)];
        QCOMPARE(stored.Code, std::string("typed"));
        QCOMPARE(stored.Dx, x.toDouble());
        QCOMPARE(stored.Dy, y.toDouble());
        QCOMPARE(Working()[static_cast<size_t>(at)].Dy, y.toDouble());
        QCOMPARE(Working().size(), size_t(task == PointDialog::Edit ? 8 : 9));
        if (question.isEmpty()) {
            QVERIFY(!ui_->Kinds().contains("yesno"));
            QCOMPARE(firstResult, int(QDialog::Accepted));
            return;
        }
        QCOMPARE(ui_->Texts(), QStringList({question, question}));
        QVERIFY(ui_->messages.front().defaultNo);
        QCOMPARE(firstResult, int(QDialog::Rejected));  // still open after No
        QCOMPARE(keptX, x);
        QCOMPARE(keptName, task == PointDialog::Edit ? QString::fromStdString(stored.NewPtName) : QStringLiteral("N1"));
    }

    // 指定J桩 with J stakes among the selection leaves them as they are and
    // says so; the plan toolbar's button does the same on the picked points.
    void appointLeavesJStakes_data() {
        QTest::addColumn<bool>("fromPlan");
        QTest::newRow("list") << false;
        QTest::newRow("plan toolbar") << true;
    }
    void appointLeavesJStakes() {
        QFETCH(bool, fromPlan);
        Run(cmd::AutoJOrder);
        const DHPoint j3 = Working()[7];
        const DHPoint z1 = Working()[1];
        if (fromPlan) {
            frame_->resize(800, 600);
            frame_->show();
            QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
            Run(cmd::PlanView);
            PlanView& plan = frame_->Plan();
            plan.OnPickTool();
            plan.Canvas().UpdateScreenPositions();
            // A drag around everything picks J stakes too.
            Drag(plan, QPoint(1, 1), QPoint(plan.width() - 2, plan.height() - 2));
            QCOMPARE(plan.Canvas().PickedGpsIds().size(), size_t(8));
        } else {
            View().SelectRowsByGpsId({z1.GPS_ID, j3.GPS_ID});
        }
        ui_->dialogs.push_back(FillThenOk<JStakeAppointDialog>(
            [](JStakeAppointDialog& d) { d.findChild<QComboBox*>("endCombo")->setCurrentIndex(2); }));
        Run(cmd::AppointJ);
        QCOMPARE(ui_->messages.back().text, QStringLiteral("所选点中的J桩确定线路走向，保持不变；只为其余的点指定J桩。"));
        const DHPoint& after = Working()[static_cast<size_t>(FindIndexByGpsId(Working(), j3.GPS_ID))];
        QCOMPARE(after.Offset, 0.0);
        QCOMPARE(after.Mileage, j3.Mileage);
        QCOMPARE(Working()[static_cast<size_t>(FindIndexByGpsId(Working(), z1.GPS_ID))].EndJ, std::string("J3"));
        QCOMPARE(frame_->Document().History().undoText(), QStringLiteral("指定J桩"));
    }

    // Reset asks with No as the default: Return keeps every edit.
    void resetDefaultsToNo() {
        ui_->answers = {false};
        Run(cmd::Reset);
        QCOMPARE(ui_->Kinds(), QStringList{"yesno"});
        QVERIFY(ui_->messages.back().defaultNo);
    }

    // The order reaches the file with the command: a crash after ordering
    // and one edit leaves no name twice.
    void orderIsStoredAtOnce() {
        Run(cmd::AutoJOrder);
        QCOMPARE(Names(ReadBack(path_)), Names(Working()));
        QVERIFY(!frame_->Document().IsModified());
    }

    // J-stake editing, then 自动J桩排序 shows all points: the move buttons
    // (J-stake rows only) go with the J-stake list.
    void allPointsAfterOrderingTakeTheListToolbar() {
        Run(cmd::JStakeEdit);
        QCOMPARE(View().Model().rowCount(), 3);
        Run(cmd::AutoJOrder);
        QCOMPARE(View().Model().rowCount(), 8);
        QVERIFY(frame_->ToolBar().actions().contains(frame_->Action(cmd::AutoJOrder)));
        QVERIFY(!frame_->ToolBar().actions().contains(frame_->Action(cmd::MoveTop)));
    }
};

QTEST_MAIN(SlipsTest)
#include "slips_test.moc"
