// Pictures of the main window and every dialog for a person to look at.
// Runs only when LINVARA_SCREENSHOT_DIR names a folder, e.g. under
//   xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb \
//     LINVARA_SCREENSHOT_DIR=/tmp/shots build/bin/gui_screenshots_test
#include <QComboBox>
#include <QDir>
#include <fstream>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTest>
#include <QProgressBar>
#include <QTimer>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/translations.h"
#include "dialogs/deliverable_actions.h"
#include "dialogs/find_dialog.h"
#include "dialogs/import_dialog.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/lat_lon_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/plan_export_dialog.h"
#include "dialogs/point_dialog.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "gui_test_support.h"
#include "views/point_table_view.h"
#include "views/run_report_window.h"
#include <QLineEdit>
#include <QTableWidget>

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

class ScreenshotsTest : public QObject {
    Q_OBJECT

    QString out_;
    TempDir dir_;
    FakeUi ui_;

    void Save(QWidget& w, const char* name) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::qWait(150);
        QVERIFY(w.grab().save(out_ + "/" + QString::fromLatin1(name) + ".png"));
    }
    std::string DemoProject() {
        const std::string demo = std::string(LINVARA_SOURCE_DIR) + "/examples/demo.PD";
        const std::string copy = dir_.File("demo.PD");
        if (std::filesystem::exists(demo))
            std::filesystem::copy_file(demo, copy, std::filesystem::copy_options::overwrite_existing);
        else
            linvara::testing::WriteCollectorProject(copy, SmallLine());
        return copy;
    }

private slots:
    void initTestCase() {
        out_ = qEnvironmentVariable("LINVARA_SCREENSHOT_DIR");
        if (out_.isEmpty()) QSKIP("LINVARA_SCREENSHOT_DIR is not set");
        QDir().mkpath(out_);
        IsolateSettings();
    }

    void mainWindow() {
        LinvaraApp app(ui_);
        MainWindow& frame = app.InitInstance(QString());
        frame.showNormal();
        frame.resize(1500, 900);
        Save(frame, "main_empty");
        frame.OpenProjectFile(QString::fromStdString(DemoProject()));
        frame.SetCoordinateText(3456789.123, 456789.456);
        Save(frame, "main_list");
        frame.PointTable().SelectRow(3);
        Save(frame, "main_list_selected");
        frame.Action(cmd::JStakeEdit)->trigger();
        Save(frame, "main_jstakes");
        frame.Action(cmd::PlanView)->trigger();
        Save(frame, "main_plan");
        // 打印…: the preview of the plan sheet.
        ui_.dialogs.push_back([this](QDialog& preview) {
            preview.resize(1000, 800);
            preview.show();
            QTest::qWait(400);
            preview.grab().save(out_ + "/print_preview.png");
            return int(QDialog::Rejected);
        });
        frame.findChild<DeliverableActions*>()->OnPrint();
        // After a delete: 撤销 names it, in the 操作 menu and on the toolbar.
        frame.Action(cmd::ListView)->trigger();
        frame.PointTable().SelectRow(3);
        frame.Action(cmd::DeletePoint)->trigger();
        Save(frame, "main_after_delete");
        QMenu* operations = frame.menuBar()->actions()[1]->menu();
        operations->popup(frame.mapToGlobal(QPoint(60, 30)));
        QTest::qWait(150);
        QVERIFY(frame.screen()->grabWindow(0).save(out_ + "/main_undo_menu.png"));
        operations->close();
        frame.close();
    }

    void dialogs() {
        PointDialog crossing(PointDialog::Add, ui_);
        crossing.SetKindIndex(3);
        Save(crossing, "point_dialog_crossing");
        PointDialog feature(PointDialog::Edit, ui_);
        DHPoint p;
        p.NewPtName = "17";
        p.DHType = 5;
        p.GLCode = 201;
        feature.SetPoint(p);
        Save(feature, "point_dialog_two_point");
        DHPointList stakes(3);
        stakes[0].NewPtName = "J1";
        stakes[1].NewPtName = "J2";
        stakes[2].NewPtName = "J3";
        JStakeAppointDialog appoint(stakes, ui_);
        Save(appoint, "j_appoint_dialog");
        OptionsDialog options(ConversionOptions{}, ui_);
        Save(options, "options_dialog");
        ResultFileDialog output(stakes, ui_);
        Save(output, "output_dialog");
        output.KindList().showPopup();
        QTest::qWait(150);
        AboutDialog about;
        Save(about, "about_dialog");
        auto* tower = new TowerBaseDialog(ui_);
        ui_.openFiles.push_back(QString::fromStdString(DemoProject()));
        tower->OnOpenFile();
        Save(*tower, "tower_base_dialog");
        tower->close();
        MergeDialog merge(ui_);
        std::filesystem::create_directory(dir_.File("m"));
        linvara::testing::WriteCollectorProject(dir_.File("m/east.PD"), SmallLine());
        linvara::testing::WriteCollectorProject(dir_.File("m/west.PD"), SmallLine());
        ui_.directories.push_back(QString::fromStdString(dir_.File("m")));
        merge.OnChooseFolder();
        Save(merge, "merge_dialog");
        // A CASS file with a line that cannot be read.
        const std::string cass = dir_.File("field.csv");
        std::ofstream(cass, std::ios::binary) << "J1,JD,500100.000,3380000.000,12.5\r\nZ1,ZD,500150.000,3380050.000,12.6\r\n"
                                                 "7,DL,500160.000,3380060.000,12.7\r\n8,DL,5OO170.000,3380070.000,12.9\r\n"
                                                 "J2,JD,500300.000,3380200.000,12.8\r\n";
        ImportDialog import(ui_);
        auto* styles = import.findChild<QComboBox*>("styleCombo");
        styles->setCurrentIndex(styles->findData(QStringLiteral("builtin:cass")));
        import.SetInputFile(QString::fromStdString(cass));
        Save(import, "import_dialog");
        // A GIS file, X east and Y north: said in the preview, 交换X/Y列 offered.
        const std::string gis = dir_.File("gis.csv");
        std::ofstream(gis, std::ios::binary) << "X,Y,name,h\r\n500100.0,3380000.0,J1,12.5\r\n500300.0,3380200.0,J2,12.8\r\n";
        styles->setCurrentIndex(styles->findData(QStringLiteral("builtin:header")));
        import.SetInputFile(QString::fromStdString(gis));
        Save(import, "import_dialog_swapped_xy");
        LatLonDialog latLon(12, 0, ui_);
        Save(latLon, "lat_lon_dialog");
        PlanExportDialog plan(QString::fromStdString(dir_.File("demo_平面图.pdf")), ui_);
        Save(plan, "plan_export_dialog");
    }

    // Qt's own save dialog with the translations loaded as the program does.
    void chineseFileDialog() {
        InstallFrameworkTranslations();
        QFileDialog d(nullptr, QStringLiteral("保存成果文件"), QString::fromStdString(dir_.File("line_kml.kml")),
                      QStringLiteral("KML文件 (*.kml)"));
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(QFileDialog::AcceptSave);
        Save(d, "file_dialog");
        d.close();
    }

    // Opening a large project (LINVARA_LARGE_PROJECT names one, e.g. made by
    // make_project with 100 000 points): the progress shown while it reads.
    void largeOpen() {
        const QString large = qEnvironmentVariable("LINVARA_LARGE_PROJECT");
        if (large.isEmpty()) QSKIP("LINVARA_LARGE_PROJECT is not set");
        LinvaraApp app(ui_);
        MainWindow& frame = app.InitInstance(QString());
        frame.showNormal();
        frame.setGeometry(20, 40, 1400, 800);  // all of it on the screen, status bar included
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        // Taken once the progress is on the screen and has moved.
        bool shot = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &frame, [&] {
            auto* progress = frame.findChild<QProgressBar*>("openProgress");
            if (shot || !progress || !progress->isVisible() || progress->value() <= 0) return;
            shot = frame.screen()->grabWindow(0).save(out_ + "/large_open.png");
        });
        watch.start(50);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(frame.OpenProjectFile(large));
        qInfo("opened %lld points in %lld ms", static_cast<long long>(frame.Document().Points().size()),
              static_cast<long long>(clock.elapsed()));
        QVERIFY2(shot, "no progress was shown while the project was read");
        frame.close();
    }

    // One ORG conversion over features without their auxiliary points: one
    // report window; then Ctrl+F on a name.
    void reportAndFind() {
        using linvara::testing::Surveyed;
        std::vector<linvara::testing::CollectorPoint> points = {Surveyed("G-J1", "J1", 0, 1000, 500, 10)};
        for (int i = 0; i < 30; ++i) {
            auto f = Surveyed("G-F" + std::to_string(i), std::to_string(101 + i), 5, 1010 + 6 * i, 505 + 3 * i, 12);
            f.gouType = 184;
            f.ptBeforSel = "A" + std::to_string(i);
            points.push_back(f);
        }
        points.push_back(Surveyed("G-J2", "J2", 0, 1400, 700, 13));
        const std::string project = dir_.File("features.PD");
        linvara::testing::WriteCollectorProject(project, points);
        LinvaraApp app(ui_);
        MainWindow& frame = app.InitInstance(QString::fromStdString(project));
        frame.showNormal();
        frame.resize(1500, 900);
        ui_.gateAnswers = {OrgGateChoice::ConvertAnyway};
        ui_.saveFiles.push_back(QString::fromStdString(dir_.File("features.org")));
        frame.Action(cmd::OrgOutput)->trigger();
        frame.RunReport().Table().setCurrentCell(4, 3);
        Save(frame.RunReport(), "run_report");
        Save(frame, "main_after_report");
        frame.RunReport().hide();
        frame.Action(cmd::Find)->trigger();
        frame.Finder().TextEdit().setText(QStringLiteral("11"));
        frame.Finder().FindNext();
        frame.Finder().FindNext();
        Save(frame.Finder(), "find_dialog");
        Save(frame, "main_after_find");
        frame.Action(cmd::ZoomToSelection)->trigger();
        Save(frame, "main_zoom_to_selection");
        frame.close();
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
