// Editing a point's x/y in the desktop program: where the project knows its
// coordinate system, B/L follow in the same undoable edit; where it does not,
// the check lists the point's B/L as stale until the move is taken back or
// 计算经纬度 gives them again (and the project learns the zone).
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QUndoStack>
#include <cmath>

#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "dialogs/lat_lon_dialog.h"
#include "dialogs/point_dialog.h"
#include "gui_test_support.h"
#include "import/gauss_kruger.h"
#include "import/import_file.h"
#include "support/project_file.h"
#include "views/check_panel.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

constexpr double kNorth = 3380000;
const double kEast[] = {500000, 500200, 500500};  // J1, Z1, J2 in 3° zone 38 (114°E)

std::unique_ptr<GaussKruger> Zone38() {
    std::string error;
    return GaussKruger::Create(ZoneOfNumber(38, 3), error);
}

// The point's B/L where x/y put it in zone 38.
bool MatchesZone(const DHPoint& p) {
    double b = 0, l = 0;
    return Zone38()->ToGeographic(p.Dx, p.Dy, b, l) && std::fabs(p.B - b) < 1e-9 && std::fabs(p.L - l) < 1e-9;
}

// Changes x in the point dialog and leaves everything else.
std::function<int(QDialog&)> MoveNorth(double north) {
    return FillThenOk<PointDialog>(
        [north](PointDialog& d) { d.findChild<QLineEdit*>("xEdit")->setText(QString::number(north, 'f', 3)); });
}

}  // namespace

class LatLonFollowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::unique_ptr<LinvaraApp> app_;
    MainWindow* frame_ = nullptr;
    std::string path_;

    ProjectDocument& Document() { return frame_->Document(); }
    void Open(const std::string& path) {
        path_ = path;
        app_ = std::make_unique<LinvaraApp>(*ui_);
        frame_ = &app_->InitInstance(QString::fromStdString(path));
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_));
        frame_->Action(cmd::Check)->trigger();
    }
    void EditRow(int row, std::function<int(QDialog&)> dialog) {
        frame_->PointTable().SelectRow(row);
        ui_->dialogs.push_back(std::move(dialog));
        frame_->Action(cmd::EditPoint)->trigger();
    }
    // The points the check panel lists as latlon-stale.
    std::vector<std::string> Stale() {
        std::vector<std::string> out;
        for (const check::Finding& f : frame_->Checks().Findings())
            if (std::string(f.rule) == "latlon-stale") out.push_back(f.point);
        return out;
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        if (!GaussKruger::Available()) QSKIP(GaussKruger::kNotInThisBuild);
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
    }
    void cleanup() {
        if (ui_) QCOMPARE(ui_->unexpectedDialogs, 0);
        app_.reset();
        ui_.reset();
        dir_.reset();
    }

    // Imported in zone 38: the project knows its system.
    void knownSystemBLFollowTheEditAndItsUndo() {
        const std::string csv = dir_->File("line.csv"), pd = dir_->File("line.PD");
        std::string text;
        const char* names[] = {"J1", "Z1", "J2"};
        for (int i = 0; i < 3; ++i) text += std::string(names[i]) + "," + std::to_string(kNorth) + "," + std::to_string(kEast[i]) + ",40\n";
        linvara::testing::WriteFileBytes(csv, text);
        import::ImportOptions options;
        options.style.columns = {import::Column::Name, import::Column::North, import::Column::East, import::Column::Height};
        options.zone = ZoneOfNumber(38, 3);
        import::ImportOutcome outcome;
        QVERIFY(import::ImportPointFile(csv, pd, options, outcome).ok());
        Open(pd);
        const DHPoint before = Document().Points()[1];
        QVERIFY(MatchesZone(before));

        EditRow(1, MoveNorth(kNorth + 25));
        const DHPoint& after = Document().Points()[1];
        QCOMPARE(after.Dx, kNorth + 25);
        QVERIFY(MatchesZone(after));
        QVERIFY(std::fabs(after.B - before.B) > 1e-4);
        QVERIFY(MatchesZone(ReadBack(path_)[1]));
        QVERIFY(Stale().empty());

        // One step takes both back, and brings both again.
        QCOMPARE(Document().History().undoText(), QStringLiteral("编辑点"));
        Document().History().undo();
        const DHPoint undone = ReadBack(path_)[1];
        QCOMPARE(undone.Dx, before.Dx);
        QCOMPARE(undone.B, before.B);
        QCOMPARE(undone.L, before.L);
        Document().History().redo();
        QCOMPARE(ReadBack(path_)[1].Dx, kNorth + 25);
        QVERIFY(MatchesZone(ReadBack(path_)[1]));
        QVERIFY(!linvara::testing::HasTable(path_, "Linvara_LatLonOrigin"));
    }

    // A collector project: nobody told it a system.
    void unknownSystemMarksTheMoveUntilTakenBackOrComputed() {
        std::vector<CollectorPoint> points;
        const char* names[] = {"J1", "Z1", "J2"};
        for (int i = 0; i < 3; ++i) {
            CollectorPoint p = linvara::testing::Surveyed("G" + std::to_string(i), names[i], i == 1 ? 1 : 0, kNorth, kEast[i]);
            QVERIFY(Zone38()->ToGeographic(p.north, p.east, p.latitude, p.longitude));
            points.push_back(p);
        }
        const std::string pd = dir_->File("survey.PD");
        linvara::testing::WriteCollectorProject(pd, points);
        Open(pd);
        QVERIFY(Stale().empty());
        const DHPoint before = Document().Points()[2];

        EditRow(2, MoveNorth(kNorth + 30));
        QCOMPARE(Document().Points()[2].B, before.B);  // nothing to compute them with
        QCOMPARE(Stale(), std::vector<std::string>{"J2"});
        Document().History().undo();
        QVERIFY(Stale().empty());
        Document().History().redo();
        QCOMPARE(Stale(), std::vector<std::string>{"J2"});

        // 计算经纬度 gives the stale point its B/L again and remembers the zone.
        ui_->dialogs.push_back(FillThenOk<LatLonDialog>([](LatLonDialog& d) {
            QVERIFY(d.findChild<QLabel*>("latLonText")->text().startsWith(QStringLiteral("有1个点的经纬度与坐标不符")));
            d.findChild<QRadioButton*>("zoneRadio")->setChecked(true);
            d.findChild<QSpinBox*>("zoneSpin")->setValue(38);
        }));
        frame_->findChild<QAction*>("computeLatLonAction")->trigger();
        QCOMPARE(ui_->Texts().back(), QStringLiteral("已为1个点计算经纬度（3°带第38带，中央子午线114°，东坐标加500 km）。"));
        QVERIFY(MatchesZone(ReadBack(path_)[2]));
        QVERIFY(Stale().empty());
        QCOMPARE(linvara::testing::Scalar(path_, "SELECT Name FROM Linvara_CoordinateSystem"),
                 std::string("CGCS2000 高斯-克吕格，中央子午线114°，东坐标加500 km"));

        // From now on B/L follow an edit.
        EditRow(0, MoveNorth(kNorth - 40));
        QVERIFY(MatchesZone(Document().Points()[0]));
        QVERIFY(Stale().empty());
    }
};

QTEST_MAIN(LatLonFollowTest)
#include "lat_lon_follow_test.moc"
