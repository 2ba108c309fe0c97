// The check panel: what it lists and how it groups it, its severity filter,
// the way back to a point, and how it follows the document's changes.
#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QTreeView>

#include "app/command_ids.h"
#include "check/finding_text.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "views/plan_view.h"
#include "gui_test_support.h"
#include "views/check_panel.h"
#include "views/findings_model.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

enum { kSeverity = 0, kRule = 1, kPoint = 2, kRow = 3, kMessage = 4 };

// The small line with two repeated names: Z1 renamed J1 (a route stake's
// name twice: an error) and F1 renamed A1 (detail points only: a warning).
std::vector<CollectorPoint> LineWithRepeats() {
    std::vector<CollectorPoint> points = SmallLine();
    points[1].name = "J1";
    points[4].name = "A1";
    return points;
}

QString Cell(const QModelIndex& finding, int column) { return finding.siblingAtColumn(column).data().toString(); }

// The rule rows as shown: "错误 aux-missing（3）".
QStringList RuleRows(const QAbstractItemModel& model) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) rows << model.index(row, 0).data().toString();
    return rows;
}

// Every finding shown, at `column`.
QStringList Shown(const QAbstractItemModel& model, int column) {
    QStringList cells;
    for (int group = 0; group < model.rowCount(); ++group)
        for (int row = 0; row < model.rowCount(model.index(group, 0)); ++row)
            cells << model.index(row, column, model.index(group, 0)).data().toString();
    return cells;
}

check::Finding MadeFinding(const char* rule, check::Severity severity, int row) {
    check::Finding f;
    f.rule = rule;
    f.severity = severity;
    f.place = check::Place::ListRow;
    f.row = row;
    f.point = std::to_string(row);
    f.message = "m" + std::to_string(row % 7);
    return f;
}

}  // namespace

class CheckPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;
    MainWindow* frame_ = nullptr;

    CheckPanel& Panel() { return frame_->Checks(); }
    QTreeView& Tree() { return Panel().Tree(); }
    const QAbstractItemModel& Model() { return *Tree().model(); }
    // The project's GPS_ID of the point written as `written` (opening adds a suffix).
    std::string Gps(const std::string& written) {
        for (const DHPoint& p : frame_->Document().Points())
            if (p.GPS_ID.rfind(written, 0) == 0) return p.GPS_ID;
        return {};
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
        const std::string path = dir_->File("repeats.PD");
        linvara::testing::WriteCollectorProject(path, LineWithRepeats());
        app_ = std::make_unique<LinvaraApp>(*ui_);
        frame_ = &app_->InitInstance(QString::fromStdString(path));
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_));
        frame_->Action(cmd::Check)->trigger();
        QVERIFY(Panel().isVisible());
    }
    void cleanup() {
        QCOMPARE(ui_->unexpectedDialogs, 0);
        app_.reset();
        ui_.reset();
        dir_.reset();
    }

    void listsTheRepeatsWithTheirSeverity() {
        const QModelIndex error = FindingIndex(Model(), "stake-name-duplicate");
        const QModelIndex warning = FindingIndex(Model(), "name-duplicate");
        QVERIFY(error.isValid());
        QVERIFY(warning.isValid());
        QCOMPARE(Cell(error, kSeverity), QStringLiteral("错误"));
        QCOMPARE(Cell(error, kPoint), QStringLiteral("J1"));
        QCOMPARE(Cell(error, kRow).toInt(), frame_->Document().IndexOf(Gps("G02")) + 1);
        QCOMPARE(Cell(warning, kSeverity), QStringLiteral("警告"));
        QCOMPARE(Cell(warning, kPoint), QStringLiteral("A1"));
        QCOMPARE(Panel().Summary(), QString::fromUtf8(check::SummaryText(Panel().Findings()).c_str()));
        QVERIFY(Panel().Summary().startsWith(QStringLiteral("检查完成")));
    }

    // Errors first, then warnings, one row per rule with its count; the
    // errors open, the warnings closed. The fresh project says once that it
    // is not ordered.
    void groupsByRuleErrorsFirst() {
        QCOMPARE(RuleRows(Model()),
                 (QStringList{QStringLiteral("错误 aux-missing（1）"), QStringLiteral("错误 stake-name-duplicate（1）"),
                              QStringLiteral("警告 crossing-height（1）"), QStringLiteral("警告 name-duplicate（1）"),
                              QStringLiteral("警告 not-ordered（1）：项目尚未排序"),
                              QStringLiteral("警告 latlon-missing（4）")}));
        QVERIFY(Tree().isExpanded(Model().index(1, 0)));
        QVERIFY(!Tree().isExpanded(Model().index(2, 0)));
        QVERIFY(Tree().isFirstColumnSpanned(2, {}));
        QCOMPARE(Cell(FindingIndex(Model(), "not-ordered"), kMessage), QStringLiteral("项目尚未排序"));
        // Ordered, the line is referred: that rule goes, the others stay.
        frame_->Action(cmd::AutoJOrder)->trigger();
        QVERIFY(!FindingIndex(Model(), "not-ordered").isValid());
        QVERIFY(!RuleRows(Model()).join('|').contains(QStringLiteral("not-referred")));
    }

    // Opening or closing a rule is the user's choice and outlives a refresh.
    void openRulesStayOpenAcrossARefresh() {
        Tree().collapse(Model().index(0, 0));
        Tree().expand(Model().index(2, 0));
        Panel().Refresh();
        QVERIFY(!Tree().isExpanded(Model().index(0, 0)));
        QVERIFY(Tree().isExpanded(Model().index(1, 0)));
        QVERIFY(Tree().isExpanded(Model().index(2, 0)));
    }

    void filterShowsOneSeverity_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("hiddenRule");
        QTest::newRow("errors") << 1 << QStringLiteral("错误") << QStringLiteral("name-duplicate");
        QTest::newRow("warnings") << 2 << QStringLiteral("警告") << QStringLiteral("stake-name-duplicate");
    }
    void filterShowsOneSeverity() {
        QFETCH(int, choice);
        QFETCH(QString, kept);
        QFETCH(QString, hiddenRule);
        Panel().Filter().setCurrentIndex(choice);
        const QStringList severities = Shown(Model(), kSeverity);
        QVERIFY(!severities.isEmpty());
        QCOMPARE(severities.count(kept), severities.size());
        QVERIFY(!FindingIndex(Model(), hiddenRule).isValid());
        Panel().Filter().setCurrentIndex(0);
        QVERIFY(FindingIndex(Model(), hiddenRule).isValid());
    }

    // From the plan view, too: the plan stays, the point is marked there and
    // selected in the list behind it.
    void doubleClickSelectsThePoint() {
        frame_->Action(cmd::PlanView)->trigger();
        const QModelIndex index = FindingIndex(Model(), "stake-name-duplicate", kMessage);
        QVERIFY(index.isValid());
        Tree().scrollTo(index);
        const QPoint at = Tree().visualRect(index).center();
        // An item view takes a double click only on the item the press was on.
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(frame_->ShownView(), ActiveView::Plan);
        QCOMPARE(frame_->Plan().Canvas().PickedGpsIds(), std::vector<std::string>{Gps("G02")});
        QCOMPARE(frame_->PointTable().SelectedGpsIds(), std::vector<std::string>{Gps("G02")});
        QCOMPARE(frame_->PointTable().SelectedRow(), frame_->Document().IndexOf(Gps("G02")));
    }

    void fixingThePointRemovesItsFinding() {
        ProjectDocument& document = frame_->Document();
        DHPoint point = document.Points()[document.IndexOf(Gps("G02"))];
        point.NewPtName = "Z1";
        QVERIFY(document.EditPoint(point));
        QVERIFY(!FindingIndex(Model(), "stake-name-duplicate").isValid());
        QVERIFY(FindingIndex(Model(), "name-duplicate").isValid());
    }

    // The tree over many findings: a sound model, rules in order whatever
    // the sort, and the chosen finding kept through a sort.
    void theTreeHoldsManyFindings() {
        check::Findings findings;
        for (int i = 0; i < 20000; ++i)
            findings.push_back(MadeFinding(i % 3 ? "not-referred" : "coordinates-zero",
                                       i % 3 ? check::Severity::Warning : check::Severity::Error, i));
        FindingsModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetFindings(&findings);
        QCOMPARE(RuleRows(model), (QStringList{QStringLiteral("错误 coordinates-zero（6667）"),
                                               QStringLiteral("警告 not-referred（13333）")}));
        const QPersistentModelIndex chosen = model.index(5, kRow, model.index(1, 0));
        QCOMPARE(chosen.data().toString(), QStringLiteral("9"));
        model.sort(kMessage, Qt::DescendingOrder);
        QCOMPARE(RuleRows(model).size(), 2);
        QVERIFY(RuleRows(model).front().startsWith(QStringLiteral("错误")));
        QCOMPARE(model.index(0, kMessage, model.index(1, 0)).data().toString(), QStringLiteral("m6"));
        QCOMPARE(chosen.data().toString(), QStringLiteral("9"));  // followed its finding
        QCOMPARE(model.FindingAt(chosen)->row, 8);
        model.SetShown(FindingsModel::Shown::Warnings);
        QCOMPARE(RuleRows(model), QStringList{QStringLiteral("警告 not-referred（13333）")});
    }
};

QTEST_MAIN(CheckPanelTest)
#include "check_panel_test.moc"
