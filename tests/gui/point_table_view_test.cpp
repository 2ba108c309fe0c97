// The list view: cell texts, look, point editing through the dialogs,
// J-stake moves and appointment.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QTest>

#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "db/project_database.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "gui_test_support.h"
#include "model/code_tables.h"
#include "views/point_list_model.h"
#include "views/plan_view.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

// A handler for the point dialog that types a name (and optionally a kind).
std::function<int(QDialog&)> EnterPoint(const QString& name, int kind = -1) {
    return FillThenOk<PointDialog>([name, kind](PointDialog& d) {
        d.findChild<QLineEdit*>("nameEdit")->setText(name);
        d.findChild<QLineEdit*>("xEdit")->setText("1111.5");
        if (kind >= 0) d.findChild<QComboBox*>("kindCombo")->setCurrentIndex(kind);
    });
}

std::string Join(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

}  // namespace

class PointTableViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;
    std::string path_;
    MainWindow* frame_ = nullptr;

    PointTableView& View() { return frame_->PointTable(); }
    const DHPointList& Working() { return frame_->Document().Points(); }
    void Run(int id) { frame_->Action(id)->trigger(); }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
        path_ = WriteSmallProject(*dir_);
        app_ = std::make_unique<LinvaraApp>(*ui_);
        frame_ = &app_->InitInstance(QString::fromStdString(path_));
    }
    void cleanup() {
        QCOMPARE(ui_->unexpectedDialogs, 0);
        app_.reset();
        ui_.reset();
        dir_.reset();
    }

    void cellTexts_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("x %.3f") << 0 << 2 << "1234.568";
        QTest::newRow("kind name") << 3 << 7 << "1点测标注跨越物";
        QTest::newRow("J: no feature code") << 0 << 11 << "";
        QTest::newRow("J: no pole type") << 0 << 12 << "";
        QTest::newRow("aux: feature code") << 2 << 11 << "";
        QTest::newRow("crossing: link code") << 3 << 11 << "10kV(32)";
        QTest::newRow("crossing: pole type 3") << 3 << 12 << "3--[IJJ]";
        QTest::newRow("one-point feature: width") << 4 << 12 << "6.500";
        QTest::newRow("one-point feature: no back point") << 4 << 14 << "";
        QTest::newRow("one-point feature: no front point") << 4 << 15 << "";
        QTest::newRow("two-point feature: back point") << 5 << 14 << "B7";
        QTest::newRow("three-point house: front point") << 6 << 15 << "F7";
        QTest::newRow("antenna height") << 1 << 16 << "1.800";
        QTest::newRow("identity") << 1 << 19 << "GPS-1";
    }
    void cellTexts() {
        QFETCH(int, kind);
        QFETCH(int, column);
        QFETCH(QString, text);
        DHPoint p;
        p.DHType = kind;
        p.Dx = 1234.5678;
        p.LXCode = 32;
        p.PoleType = 3;
        p.GLWide = 6.5;
        p.BZdmPt = "B7";
        p.FZdmPt = "F7";
        p.AntHight = 1.8;
        p.GPS_ID = "GPS-1";
        p.ObjectCode = 0;
        const std::string expected = text.toStdString();
        if (kind == 2 && column == 11) {
            // code 0 or an unknown code shows nothing
            QCOMPARE(PointListModel::CellText(p, column), std::string());
            p.ObjectCode = PointCodeTable()[1].code;
            QCOMPARE(PointListModel::CellText(p, column), CodeRowText(PointCodeTable()[1]));
            return;
        }
        QCOMPARE(PointListModel::CellText(p, column), expected);
    }

    void columnsRowsAndLook() {
        PointListModel& model = View().Model();
        QCOMPARE(model.columnCount(), 20);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("点名"));
        QCOMPARE(model.headerData(12, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("杆型/地物宽"));
        QCOMPARE(model.headerData(19, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("GPS_ID"));
        QVERIFY(View().isColumnHidden(19));
        QCOMPARE(View().rowHeight(0), 24);
        QCOMPARE(View().columnWidth(3), 100);
        QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    // What is drawn: a J row in (128, 64, 64), a Z row in (255, 128, 255),
    // the selected row in (0, 110, 150) with white text, with or without
    // focus: each text at least 4.5:1 against its fill.
    void rowColoursAsDrawn() {
        frame_->resize(1200, 700);
        View().SelectRow(2);
        frame_->setFocus();  // selection shows without the focus too
        const QImage image = View().viewport()->grab().toImage();
        auto fillAt = [&](int row) { return image.pixelColor(4, View().rowViewportPosition(row) + 4); };
        QCOMPARE(fillAt(0), QColor(128, 64, 64));
        QCOMPARE(fillAt(1), QColor(255, 128, 255));
        QCOMPARE(fillAt(2), QColor(0, 110, 150));
        QCOMPARE(fillAt(3), QColor(255, 255, 255));
        // the selected row's text is white: some pixel of its name cell is
        bool white = false;
        const int top = View().rowViewportPosition(2);
        for (int x = 0; x < 100 && !white; ++x)
            for (int y = top + 2; y < top + 22 && !white; ++y) white = image.pixelColor(x, y) == QColor(255, 255, 255);
        QVERIFY(white);
        const auto luminance = [](const QColor& c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const auto contrast = [&](const QColor& a, const QColor& b) {
            const double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        const PointListModel& model = View().Model();
        for (int row : {0, 1, 3}) {
            const QModelIndex cell = model.index(row, 0);
            QVERIFY(contrast(model.data(cell, Qt::BackgroundRole).value<QColor>(),
                             model.data(cell, Qt::ForegroundRole).value<QColor>()) >= 4.5);
        }
        QVERIFY(contrast(QColor(0, 110, 150), QColor(255, 255, 255)) >= 4.5);
    }

    void firstRowSelectedAfterOpen() {
        QCOMPARE(View().SelectedRow(), 0);
        QCOMPARE(View().currentIndex().row(), 0);
    }

    // 增加点: an ordinary detail point (not a J stake because a J row is
    // selected) right after the selected point, with nothing selected last;
    // while the list shows only J or Z stakes, one of those.
    void addGoesAfterTheSelectedRow_data() {
        QTest::addColumn<int>("mode");  // the command choosing what the list shows; 0: all points
        QTest::addColumn<int>("row");   // the row selected in the list; -1: none
        QTest::addColumn<int>("kind");  // the kind the dialog starts at
        QTest::addColumn<int>("at");    // the new point's place in the working list
        QTest::newRow("a J row selected") << 0 << 0 << int(AuxPoint) << 1;
        QTest::newRow("a detail row selected") << 0 << 4 << int(AuxPoint) << 5;
        QTest::newRow("the last row selected") << 0 << 7 << int(AuxPoint) << 8;
        QTest::newRow("nothing selected") << 0 << -1 << int(AuxPoint) << 8;
        QTest::newRow("J-stake list, J2 selected") << int(cmd::JStakeEdit) << 1 << int(JStake) << 6;
        QTest::newRow("Z-stake list, Z1 selected") << int(cmd::ZStakeEdit) << 0 << int(ZStake) << 2;
    }
    void addGoesAfterTheSelectedRow() {
        QFETCH(int, mode);
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(int, at);
        if (mode != 0) Run(mode);
        if (row >= 0)
            View().SelectRow(row);
        else
            View().clearSelection();
        int kindShown = -1;
        ui_->dialogs.push_back([&kindShown](QDialog& d) {
            kindShown = d.findChild<QComboBox*>("kindCombo")->currentIndex();
            return EnterPoint("N1")(d);
        });
        Run(cmd::AddPoint);
        QCOMPARE(kindShown, kind);
        QCOMPARE(Working().size(), size_t(9));
        const DHPoint& added = Working()[static_cast<size_t>(at)];
        QCOMPARE(added.NewPtName, std::string("N1"));
        QCOMPARE(added.OrgPtName, std::string("N1"));
        QCOMPARE(added.Dx, 1111.5);
        QCOMPARE(added.DHType, kind);
        QVERIFY(added.ID >= 0);
        QCOMPARE(added.OrderIndex, at);
        QCOMPARE(ReadBack(path_)[static_cast<size_t>(at)].NewPtName, std::string("N1"));
        QCOMPARE(View().SelectedGpsIds(), std::vector<std::string>{added.GPS_ID});
        QCOMPARE(frame_->Document().History().undoText(), QStringLiteral("增加点"));
    }

    // After 自动J桩排序 the list shows the mileage the file keeps: J2 lies
    // 3558.39053 m from J1 and is stored as 3558.3905, whose double lies
    // just below the tie, so reopening shows 3558.390.
    void mileageShownIsTheStoredOne() {
        const std::string path = dir_->File("tie.PD");
        linvara::testing::WriteCollectorProject(
            path, {linvara::testing::Surveyed("1", "J1", 0), linvara::testing::Surveyed("2", "J2", 0, 3558.3905, 0.5)});
        QVERIFY(frame_->OpenProjectFile(QString::fromStdString(path)));
        Run(cmd::AutoJOrder);
        const PointListModel& model = View().Model();
        QCOMPARE(model.data(model.index(1, 8), Qt::DisplayRole).toString(), QStringLiteral("3558.390"));
        QCOMPARE(PointListModel::CellText(ReadBack(path)[1], 8), std::string("3558.390"));
    }

    void addRefusesTakenNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("point name") << "Z1";
        QTest::newRow("original name of a renamed point") << "OLD";
    }
    void addRefusesTakenNames() {
        QFETCH(QString, name);
        DHPoint renamed = Working()[2];
        renamed.OrgPtName = "OLD";
        QVERIFY(frame_->Document().EditPoint(renamed));
        ui_->dialogs.push_back(EnterPoint(name));
        Run(cmd::AddPoint);
        QVERIFY(ui_->Said(QStringLiteral("不能存在相同点名")));
        QCOMPARE(Working().size(), size_t(8));
        QCOMPARE(ReadBack(path_).size(), size_t(8));
    }

    void insertStartsAtTheRowsKind() {
        int kindShown = -1;
        ui_->dialogs.push_back([&kindShown](QDialog& d) {
            kindShown = d.findChild<QComboBox*>("kindCombo")->currentIndex();
            return int(QDialog::Rejected);
        });
        View().InsertPointAt(4);
        QCOMPARE(kindShown, 4);
        QCOMPARE(Working().size(), size_t(8));  // cancelled
    }

    void insertGoesBeforeTheRow() {
        ui_->dialogs.push_back(EnterPoint("INS", 2));
        View().InsertPointAt(2);
        QCOMPARE(Names(Working())[2], std::string("INS"));
        QCOMPARE(Names(Working())[3], std::string("A1"));
        QCOMPARE(Working()[2].GLCode, 0);  // 13 only when adding
        QCOMPARE(View().Model().data(View().Model().index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("INS"));
        for (size_t i = 0; i < Working().size(); ++i) QCOMPARE(Working()[i].OrderIndex, int(i));
    }

    void insertInJStakeModeGoesBeforeThatStake() {
        Run(cmd::JStakeEdit);
        ui_->dialogs.push_back(EnterPoint("JX"));
        View().InsertPointAt(1);  // before J2
        QCOMPARE(Names(Working())[5], std::string("JX"));
        QCOMPARE(ShownNames(View()), (std::vector<std::string>{"J1", "JX", "J2", "J3"}));
    }

    void editKeepsIdentityAndRedraws() {
        const DHPoint before = Working()[3];
        View().SelectRow(3);
        ui_->dialogs.push_back(FillThenOk<PointDialog>([](PointDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("编辑道享点"));
            QCOMPARE(d.findChild<QLineEdit*>("nameEdit")->text(), QStringLiteral("C1"));
            d.findChild<QLineEdit*>("nameEdit")->setText("Z9");
            d.findChild<QLineEdit*>("codeEdit")->setText("DL");
        }));
        Run(cmd::EditPoint);
        const DHPoint& after = Working()[3];
        QCOMPARE(after.NewPtName, std::string("Z9"));
        QCOMPARE(after.Code, std::string("DL"));
        QCOMPARE(after.GPS_ID, before.GPS_ID);
        QCOMPARE(after.OrgPtName, before.OrgPtName);
        QCOMPARE(after.ID, before.ID);
        QCOMPARE(View().Model().data(View().Model().index(3, 5), Qt::DisplayRole).toString(), QStringLiteral("DL"));
        QCOMPARE(ReadBack(path_)[3].Code, std::string("DL"));
    }

    void editInJStakeModeRedrawsTheShownRow() {
        Run(cmd::JStakeEdit);
        View().SelectRow(1);
        ui_->dialogs.push_back(FillThenOk<PointDialog>(
            [](PointDialog& d) { d.findChild<QLineEdit*>("codeEdit")->setText("JJ"); }));
        Run(cmd::EditPoint);
        QCOMPARE(View().Model().PointAt(1)->Code, std::string("JJ"));
        QCOMPARE(View().Model().data(View().Model().index(1, 5), Qt::DisplayRole).toString(), QStringLiteral("JJ"));
        QCOMPARE(Working()[5].Code, std::string("JJ"));
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("left");
        QTest::newRow("cancel") << false << 8;
        QTest::newRow("ok") << true << 6;
    }
    void deleteAsksFirst() {
        QFETCH(bool, ok);
        QFETCH(int, left);
        View().SelectRowsByGpsId({"G02_line", "G04_line"});
        ui_->answers = {ok};
        Run(cmd::DeletePoint);
        QVERIFY(!ui_->messages.empty());
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除所选的2个点（Z1、C1）？"));
        QVERIFY(ui_->messages.back().defaultNo);
        QCOMPARE(int(Working().size()), left);
        QCOMPARE(View().Model().rowCount(), left);
        QCOMPARE(int(ReadBack(path_).size()), left);
        if (ok) QCOMPARE(Names(Working()), (std::vector<std::string>{"J1", "A1", "F1", "J2", "F2", "J3"}));
    }

    void jStakeMoves_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("selected");
        QTest::newRow("up") << int(cmd::MoveUp) << 1 << "J2 J1 J3" << 0;
        QTest::newRow("down") << int(cmd::MoveDown) << 0 << "J2 J1 J3" << 1;
        QTest::newRow("top") << int(cmd::MoveTop) << 2 << "J3 J1 J2" << 0;
        QTest::newRow("bottom") << int(cmd::MoveBottom) << 0 << "J2 J3 J1" << 2;
        QTest::newRow("first up") << int(cmd::MoveUp) << 0 << "J1 J2 J3" << 0;
        QTest::newRow("last down") << int(cmd::MoveDown) << 2 << "J1 J2 J3" << 2;
    }
    void jStakeMoves() {
        QFETCH(int, command);
        QFETCH(int, row);
        QFETCH(QString, order);
        QFETCH(int, selected);
        Run(cmd::JStakeEdit);
        View().SelectRow(row);
        Run(command);
        QCOMPARE(QString::fromStdString(Join(ShownNames(View()))), order);
        QCOMPARE(View().SelectedRow(), selected);
        QCOMPARE(Names(JStakeList(Working())), ShownNames(View()));
    }

    void upAndDownLeaveDetailPointsInPlace() {
        Run(cmd::JStakeEdit);
        View().SelectRow(2);
        Run(cmd::MoveUp);
        QCOMPARE(Names(Working()), (std::vector<std::string>{"J1", "Z1", "A1", "C1", "F1", "J3", "F2", "J2"}));
    }

    void moveWithoutSelectionSays() {
        Run(cmd::JStakeEdit);
        View().clearSelection();
        Run(cmd::MoveUp);
        QVERIFY(ui_->Said(QStringLiteral("未选择数据")));
        QCOMPARE(ShownNames(View()), (std::vector<std::string>{"J1", "J2", "J3"}));
    }

    void appointJStakes() {
        View().SelectRowsByGpsId({"G05_line"});
        ui_->dialogs.push_back(FillThenOk<JStakeAppointDialog>([](JStakeAppointDialog& d) {
            d.findChild<QComboBox*>("startCombo")->setCurrentIndex(0);
            d.findChild<QComboBox*>("endCombo")->setCurrentIndex(2);
        }));
        Run(cmd::AppointJ);
        const DHPoint& p = Working()[4];
        QCOMPARE(p.StartJ, std::string("J1"));
        QCOMPARE(p.EndJ, std::string("J3"));
        QVERIFY(p.Mileage > 0);
        QCOMPARE(View().Model().data(View().Model().index(4, 17), Qt::DisplayRole).toString(), QStringLiteral("J1"));
        QCOMPARE(View().Model().data(View().Model().index(4, 18), Qt::DisplayRole).toString(), QStringLiteral("J3"));
        QCOMPARE(Names(Working())[4], std::string("F1"));  // not re-sorted
    }

    void appointFromThePlanByGpsId() {
        ui_->dialogs.push_back(FillThenOk<JStakeAppointDialog>([](JStakeAppointDialog& d) {
            d.findChild<QComboBox*>("endCombo")->setCurrentIndex(1);
        }));
        emit frame_->Plan().appointRequested({"G03_line", "G07_line"});
        QCOMPARE(Working()[2].EndJ, std::string("J2"));
        QCOMPARE(Working()[6].EndJ, std::string("J2"));
        QCOMPARE(Working()[3].EndJ, std::string(""));
    }

    void appointNeedsTheListView() {
        View().SelectRow(4);
        Run(cmd::PlanView);
        Run(cmd::AppointJ);  // no dialog: the list view is not shown
        QCOMPARE(ui_->unexpectedDialogs, 0);
    }

    // J2 picked in the plan view while only J stakes are drawn (its place
    // there is 1, in the list 5) is edited, stored and redrawn in both views.
    void planViewEditReachesTheDocumentByGpsId() {
        Run(cmd::JStakeEdit);
        Run(cmd::PlanView);
        frame_->resize(1000, 700);
        PlanView& plan = frame_->Plan();
        QVERIFY(QTest::qWaitForWindowExposed(&plan));
        plan.OnCenter();
        plan.Canvas().UpdateScreenPositions();
        QCOMPARE(plan.Canvas().Points()[1].NewPtName, std::string("J2"));
        const ScreenPoint j2 = plan.Canvas().ScreenPosition(1);
        QVERIFY(plan.Canvas().PickInRect({j2.x - 1, j2.y - 1, j2.x + 1, j2.y + 1}));
        ui_->dialogs.push_back(FillThenOk<PointDialog>([](PointDialog& d) {
            QCOMPARE(d.findChild<QLineEdit*>("nameEdit")->text(), QStringLiteral("J2"));
            d.findChild<QLineEdit*>("codeEdit")->setText("PJ");
        }));
        plan.OnEditPicked();
        QCOMPARE(Working()[5].Code, std::string("PJ"));
        QCOMPARE(ReadBack(path_)[5].Code, std::string("PJ"));
        QCOMPARE(plan.Canvas().Points()[1].Code, std::string("PJ"));
        QCOMPARE(View().Model().data(View().Model().index(1, 5), Qt::DisplayRole).toString(), QStringLiteral("PJ"));
    }

    void contextMenuOnlyWithASelection() {
        View().clearSelection();
        QVERIFY(!View().ContextMenu());
        View().SelectRow(1);
        std::unique_ptr<QMenu> menu = View().ContextMenu();
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("点编辑"));
        QStringList items;
        for (QAction* a : menu->actions()) items << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(items, QStringList({"编辑", "添加", "删除", "指定J桩", "-", "复制"}));
        ui_->answers = {false};
        menu->actions()[2]->trigger();
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除点“Z1”？"));
    }

    // Ctrl+C copies the selected rows as a spreadsheet pastes them: a header
    // line, the columns shown in the order shown, the cells as the list shows
    // them; the hidden identity column stays out.
    void copiesTheSelectedRows() {
        QHeaderView& header = *View().horizontalHeader();
        header.moveSection(header.visualIndex(3), 0);
        // The window keeps the column order for the next start (the next test).
        const QScopeGuard putBack([&header] { header.moveSection(header.visualIndex(3), 3); });
        View().SelectRow(1);
        View().selectionModel()->select(View().Model().index(4, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 4);  // header, two rows, the last line's end
        QCOMPARE(lines[3], QString());
        const auto cell = [this](int row, int column) {
            return View().Model().data(View().Model().index(row, column), Qt::DisplayRole).toString();
        };
        for (const auto& [line, row] : {std::pair{1, 1}, std::pair{2, 4}}) {
            const QStringList cells = lines[line].split('\t');
            QCOMPARE(cells.size(), PointListModel::kColumns - 1);
            QCOMPARE(cells[0], cell(row, 3));
            QCOMPARE(cells[1], cell(row, 0));
            QVERIFY(!cells.contains(QString::fromStdString(View().Model().PointAt(row)->GPS_ID)));
        }
        const QStringList headers = lines[0].split('\t');
        QCOMPARE(headers.mid(0, 2), QStringList({PointListModel::Header(3), PointListModel::Header(0)}));
        QVERIFY(!headers.contains(PointListModel::Header(PointListModel::kGpsIdColumn)));
        QCOMPARE(Names(Working())[1], lines[1].split('\t')[1].toStdString());
    }

    void keysInsertAndDelete() {
        View().SelectRow(1);
        ui_->dialogs.push_back(EnterPoint("K1"));
        QTest::keyClick(&View(), Qt::Key_Insert);
        QCOMPARE(Names(Working())[1], std::string("K1"));
        View().SelectRow(1);
        QTest::keyClick(&View(), Qt::Key_Delete);
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除点“K1”？"));
        QCOMPARE(Names(Working())[1], std::string("Z1"));
    }

    void planViewDeletes() {
        emit frame_->Plan().deleteRequested({"G01_line", "G08_line"}, QStringLiteral("确定删除？"));
        QCOMPARE(ui_->messages.back().text, QStringLiteral("确定删除所选的2个点（J1、J3）？"));
        QCOMPARE(Names(Working()), (std::vector<std::string>{"Z1", "A1", "C1", "F1", "J2", "F2"}));
        QCOMPARE(View().Model().rowCount(), 6);
        QCOMPARE(ReadBack(path_).size(), size_t(6));
    }
};

QTEST_MAIN(PointTableViewTest)
#include "point_table_view_test.moc"
