// The list view in the middle of a long list: points added, deleted or
// edited elsewhere (from the plan, by undo and redo) leave the selected row
// and the scroll position as they are, and the table is told row by row.
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/project_document.h"
#include "gui_test_support.h"
#include "model/stake_sequence.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

constexpr int kPoints = 400;
constexpr int kSelected = 200;

// The point surveyed at position `i`, as the working list names it.
std::string Gps(int i) { return "G" + std::to_string(i) + "_long"; }

using Change = std::function<void(ProjectDocument&)>;

}  // namespace

class ListKeepsPlaceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::string path_;

private slots:
    void initTestCase() { IsolateSettings(); }
    // Every case changes the file: each starts from its own.
    void init() {
        dir_ = std::make_unique<TempDir>();
        std::vector<CollectorPoint> points(kPoints);
        for (int i = 0; i < kPoints; ++i)
            points[static_cast<size_t>(i)] =
                linvara::testing::Surveyed("G" + std::to_string(i), (i % 20 == 0 ? "J" : "P") + std::to_string(i), i % 20 == 0 ? 0 : 2,
                                           3380000 + i * 2.0, 500000 + (i % 7) * 1.5);
        path_ = dir_->File("long.PD");
        linvara::testing::WriteCollectorProject(path_, points);
    }

    void selectionAndScrollStay_data() {
        QTest::addColumn<int>("change");
        const char* const names[] = {"delete below", "delete above", "delete on both sides", "edit below",
                                     "undo a delete (put back)", "redo a delete", "undo an edit"};
        for (int i = 0; i < static_cast<int>(std::size(names)); ++i) QTest::newRow(names[i]) << i;
    }
    void selectionAndScrollStay() {
        QFETCH(int, change);
        const auto remove = [](ProjectDocument& d, std::vector<int> rows) {
            std::vector<std::string> ids;
            for (int row : rows) ids.push_back(Gps(row));
            QVERIFY(d.DeletePoints(ids));
        };
        const auto rename = [](ProjectDocument& d, int row) {
            DHPoint point = d.Points()[static_cast<size_t>(d.IndexOf(Gps(row)))];
            point.NewPtName = "renamed";
            QVERIFY(d.EditPoint(point));
        };
        const std::vector<Change> changes = {
            [&](ProjectDocument& d) { remove(d, {350}); },
            [&](ProjectDocument& d) { remove(d, {10}); },
            [&](ProjectDocument& d) { remove(d, {5, 6, 380}); },
            [&](ProjectDocument& d) { rename(d, 330); },
            [&](ProjectDocument& d) {
                remove(d, {30, 360});
                d.History().undo();
            },
            [&](ProjectDocument& d) {
                remove(d, {360});
                d.History().undo();
                d.History().redo();
            },
            [&](ProjectDocument& d) {
                rename(d, 320);
                d.History().undo();
            },
        };

        FakeUi ui;
        MainWindow frame(ui);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(path_)));
        frame.resize(1000, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        PointTableView& view = frame.PointTable();
        QCOMPARE(frame.Document().Points()[kSelected].GPS_ID, Gps(kSelected));
        const QModelIndex middle = view.Model().index(kSelected, 0);
        view.scrollTo(middle, QAbstractItemView::PositionAtCenter);
        view.SelectRow(kSelected);
        QCoreApplication::processEvents();
        const int scrolled = view.verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        QSignalSpy resets(&view.Model(), &QAbstractItemModel::modelReset);

        changes[static_cast<size_t>(change)](frame.Document());
        QCoreApplication::processEvents();

        QCOMPARE(view.SelectedGpsIds(), std::vector<std::string>{Gps(kSelected)});
        QCOMPARE(view.Model().PointAt(view.currentIndex().row())->GPS_ID, Gps(kSelected));
        QCOMPARE(view.verticalScrollBar()->value(), scrolled);
        QVERIFY(view.viewport()->rect().intersects(view.visualRect(view.currentIndex())));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(ShownNames(view), Names(frame.Document().Points()));
        QCOMPARE(ui.unexpectedDialogs, 0);
    }

    // In J-stake editing the rows are the J stakes among the points: points
    // deleted, put back and edited into or out of J stakes change those rows
    // one by one, and the selected stake stays selected.
    void stakeRowsFollow() {
        FakeUi ui;
        MainWindow frame(ui);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(path_)));
        ProjectDocument& document = frame.Document();
        document.SetViewMode(ViewMode::JStakes);
        PointTableView& view = frame.PointTable();
        view.SelectRowsByGpsId({Gps(200)});
        QSignalSpy resets(&view.Model(), &QAbstractItemModel::modelReset);
        const auto check = [&] {
            QCOMPARE(ShownNames(view), Names(JStakeList(document.Points())));
            QCOMPARE(view.SelectedGpsIds(), std::vector<std::string>{Gps(200)});
        };
        const auto makeKind = [&](int at, int kind) {
            DHPoint point = document.Points()[static_cast<size_t>(document.IndexOf(Gps(at)))];
            point.DHType = kind;
            QVERIFY(document.EditPoint(point));
        };
        QVERIFY(document.DeletePoints({Gps(20), Gps(21), Gps(300)}));  // two stakes, a detail point
        check();
        document.History().undo();
        check();
        makeKind(150, JStake);  // joins the stakes
        check();
        makeKind(100, AuxPoint);  // leaves them
        check();
        document.History().undo();
        document.History().undo();
        check();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(ui.unexpectedDialogs, 0);
    }

    // Deleting the selected row selects the one that took its place; adding
    // selects the new point.
    void ownChangesMoveTheSelection() {
        FakeUi ui;
        MainWindow frame(ui);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(path_)));
        PointTableView& view = frame.PointTable();
        view.SelectRow(kSelected);
        QVERIFY(frame.Document().DeletePoints({Gps(kSelected)}));
        QCOMPARE(view.SelectedGpsIds(), std::vector<std::string>{Gps(kSelected + 1)});
        DHPoint added;
        added.GPS_ID = "new";
        added.NewPtName = "N1";
        added.OrgPtName = "N1";
        added.DHType = AuxPoint;
        added.Dx = 3380000;
        added.Dy = 500000;
        QVERIFY(frame.Document().AddPoint(added, 50));
        QCOMPARE(view.SelectedGpsIds(), std::vector<std::string>{"new"});
        QCOMPARE(view.SelectedRow(), 50);
        QCOMPARE(ShownNames(view), Names(frame.Document().Points()));
    }
};

QTEST_MAIN(ListKeepsPlaceTest)
#include "list_keeps_place_test.moc"
