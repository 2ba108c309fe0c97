// A project of 100 000 points opens in the list view about as fast as the
// core reads it: the view holds no per-row state. Prints both figures.
#include <QElapsedTimer>
#include <QTest>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "db/project_database.h"
#include "gui_test_support.h"
#include "views/point_list_model.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

class PointTableScaleTest : public QObject {
    Q_OBJECT

    TempDir dir_;
    std::string path_;
    int points_ = 100000;

private slots:
    void initTestCase() {
        IsolateSettings();
        if (qEnvironmentVariableIsSet("LINVARA_SCALE_POINTS")) points_ = qEnvironmentVariableIntValue("LINVARA_SCALE_POINTS");
        std::vector<CollectorPoint> points(static_cast<size_t>(points_));
        for (int i = 0; i < points_; ++i) {
            CollectorPoint& p = points[static_cast<size_t>(i)];
            p.gpsId = "G" + std::to_string(i);
            p.name = (i % 50 == 0 ? "J" : "P") + std::to_string(i);
            p.type = i % 50 == 0 ? 0 : 2 + i % 5;
            p.north = 3380000 + i * 0.7;
            p.east = 500000 + (i % 97) * 1.3;
        }
        path_ = dir_.File("big.PD");
        linvara::testing::WriteCollectorProject(path_, points);
        SilentReporter silent;
        ProjectDatabase seed(silent);  // the first open seeds the working tables
        QVERIFY(seed.OpenProject(path_));
    }

    void opensAsFastAsTheCoreReads() {
        SilentReporter silent;
        QElapsedTimer core;
        core.start();
        ProjectDatabase db(silent);
        QVERIFY(db.OpenProject(path_));
        DHPointList list;
        QVERIFY(db.ReadStakeList(list));
        const size_t read = list.size();
        const qint64 coreMs = core.elapsed();
        QCOMPARE(read, size_t(points_));

        FakeUi ui;
        LinvaraApp app(ui);
        MainWindow& frame = app.InitInstance(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QElapsedTimer gui;
        gui.start();
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(path_)));
        QElapsedTimer firstRows;
        firstRows.start();
        frame.PointTable().viewport()->repaint();
        const qint64 paintMs = firstRows.elapsed();
        const qint64 guiMs = gui.elapsed();
        QCOMPARE(frame.PointTable().Model().rowCount(), points_);
        QCOMPARE(frame.PointTable().SelectedRow(), 0);
        QElapsedTimer refill;
        refill.start();
        frame.Document().SetViewMode(ViewMode::AllPoints);  // both views take the list again
        const qint64 refillMs = refill.elapsed();
        QElapsedTimer scroll;
        scroll.start();
        for (int row = 0; row < points_; row += points_ / 20) {
            frame.PointTable().scrollTo(frame.PointTable().Model().index(row, 0));
            frame.PointTable().viewport()->repaint();
        }
        qInfo("%d points: core open + ReadStakeList %lld ms; window open to first rows painted %lld ms "
              "(paint %lld ms); views refill %lld ms; 20 scroll jumps with repaint %lld ms",
              points_, coreMs, guiMs, paintMs, refillMs, scroll.elapsed());
        frame.close();
    }
};

QTEST_MAIN(PointTableScaleTest)
#include "point_table_scale_test.moc"
