// The check panel: what it lists, its severity filter, the way back to a
// point, and how it follows the document's changes.
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QTableView>
#include <QTest>

#include "app/command_ids.h"
#include "check/finding_text.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "views/plan_view.h"
#include "gui_test_support.h"
#include "views/check_panel.h"
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

QString Cell(const QTableView& table, int row, int column) {
    return table.model()->index(row, column).data().toString();
}

int ShownRowOf(const QTableView& table, const QString& rule) {
    for (int row = 0; row < table.model()->rowCount(); ++row)
        if (Cell(table, row, kRule) == rule) return row;
    return -1;
}

}  // namespace

class CheckPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;
    MainWindow* frame_ = nullptr;

    CheckPanel& Panel() { return frame_->Checks(); }
    QTableView& Table() { return Panel().Table(); }
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
        const int error = ShownRowOf(Table(), "stake-name-duplicate");
        const int warning = ShownRowOf(Table(), "name-duplicate");
        QVERIFY(error >= 0);
        QVERIFY(warning >= 0);
        QCOMPARE(Cell(Table(), error, kSeverity), QStringLiteral("错误"));
        QCOMPARE(Cell(Table(), error, kPoint), QStringLiteral("J1"));
        QCOMPARE(Cell(Table(), error, kRow).toInt(), frame_->Document().IndexOf(Gps("G02")) + 1);
        QCOMPARE(Cell(Table(), warning, kSeverity), QStringLiteral("警告"));
        QCOMPARE(Cell(Table(), warning, kPoint), QStringLiteral("A1"));
        QCOMPARE(Panel().Summary(), QString::fromUtf8(check::SummaryText(Panel().Findings()).c_str()));
        QVERIFY(Panel().Summary().startsWith(QStringLiteral("检查完成")));
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
        QVERIFY(Table().model()->rowCount() > 0);
        for (int row = 0; row < Table().model()->rowCount(); ++row) QCOMPARE(Cell(Table(), row, kSeverity), kept);
        QCOMPARE(ShownRowOf(Table(), hiddenRule), -1);
        Panel().Filter().setCurrentIndex(0);
        QVERIFY(ShownRowOf(Table(), hiddenRule) >= 0);
    }

    // From the plan view, too: the plan stays, the point is marked there and
    // selected in the list behind it.
    void doubleClickSelectsThePoint() {
        frame_->Action(cmd::PlanView)->trigger();
        const int row = ShownRowOf(Table(), "stake-name-duplicate");
        QVERIFY(row >= 0);
        const QModelIndex index = Table().model()->index(row, kMessage);
        Table().scrollTo(index);
        const QPoint at = Table().visualRect(index).center();
        // An item view takes a double click only on the item the press was on.
        QTest::mouseClick(Table().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Table().viewport(), Qt::LeftButton, {}, at);
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
        QCOMPARE(ShownRowOf(Table(), "stake-name-duplicate"), -1);
        QVERIFY(ShownRowOf(Table(), "name-duplicate") >= 0);
    }
};

QTEST_MAIN(CheckPanelTest)
#include "check_panel_test.moc"
