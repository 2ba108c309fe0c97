// The pictures of the user guide (docs/用户手册.md), taken from the bundled
// demo project as a user sees them. Runs only when LINVARA_GUIDE_SHOTS_DIR
// names a folder; scripts/guide-screenshots.sh runs it under xvfb and puts
// the pictures into docs/images.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include "app/command_ids.h"
#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/result_file_dialog.h"
#include "dialogs/tower_base_dialog.h"
#include "gui_test_support.h"
#include "views/check_panel.h"
#include "views/point_table_view.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;

class GuideScreenshotsTest : public QObject {
    Q_OBJECT

    QString out_;
    // A fixed folder, so the paths the pictures show are the same every time.
    QDir dir_{QDir::temp().filePath(QStringLiteral("线路测量"))};
    FakeUi ui_;

    QString Demo(const char* name) {
        const QString copy = dir_.filePath(QString::fromUtf8(name));
        QFile::remove(copy);
        if (!QFile::copy(QStringLiteral(LINVARA_SOURCE_DIR "/examples/demo.PD"), copy)) return QString();
        QFile(copy).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return copy;
    }
    void Settle() { QTest::qWait(200); }
    bool Save(QWidget& w, const char* name) {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) return false;
        Settle();
        return w.grab().save(Path(name), "PNG", 0);
    }
    // What the screen shows over the window: open menus and popups included.
    bool SaveScreen(QWidget& w, const char* name) {
        Settle();
        const QRect area = w.frameGeometry();
        return w.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(Path(name), "PNG", 0);
    }
    QString Path(const char* name) const { return out_ + "/" + QString::fromLatin1(name) + ".png"; }
    QMenu* MenuNamed(MainWindow& frame, const QString& title) {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title) return a->menu();
        return nullptr;
    }
    void ShowMenu(MainWindow& frame, const QString& title) {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title) {
                QMenu* menu = a->menu();
                const QRect r = frame.menuBar()->actionGeometry(a);
                menu->popup(frame.menuBar()->mapToGlobal(r.bottomLeft()));
                return;
            }
    }
    // A dialog the window runs modally: grabbed, then closed as Cancel would.
    std::function<int(QDialog&)> Grab(const char* name) {
        return [this, name](QDialog& d) {
            Save(d, name);
            return int(QDialog::Rejected);
        };
    }

private slots:
    void initTestCase() {
        out_ = qEnvironmentVariable("LINVARA_GUIDE_SHOTS_DIR");
        if (out_.isEmpty()) QSKIP("LINVARA_GUIDE_SHOTS_DIR is not set");
        QDir().mkpath(out_);
        dir_.removeRecursively();
        QVERIFY(dir_.mkpath(QStringLiteral(".")));
        IsolateSettings();
        // The file menu shows this run's project only, not those of earlier runs.
        QSettings().clear();
    }
    void cleanupTestCase() {
        if (!out_.isEmpty()) dir_.removeRecursively();
    }

    void mainWindow() {
        const QString demo = Demo("demo.PD");
        QVERIFY(!demo.isEmpty());
        LinvaraApp app(ui_);
        MainWindow& frame = app.InitInstance(QString());
        frame.showNormal();
        frame.resize(1280, 760);
        frame.move(0, 0);
        QVERIFY(Save(frame, "start"));

        // Opening: the points as the collector stored them; the file menu
        // then lists the project among the recent files.
        QVERIFY(frame.OpenProjectFile(demo));
        QVERIFY(Save(frame, "opened"));
        ShowMenu(frame, QStringLiteral("文件(&F)"));
        QVERIFY(SaveScreen(frame, "file_menu"));
        MenuNamed(frame, QStringLiteral("文件(&F)"))->close();

        // Ordering: 自动J桩排序, then the J stakes alone and the plan.
        frame.Action(cmd::AutoJOrder)->trigger();
        frame.PointTable().SelectRow(0);
        QVERIFY(Save(frame, "ordered"));
        frame.Action(cmd::JStakeEdit)->trigger();
        frame.PointTable().SelectRow(2);
        QVERIFY(Save(frame, "jstakes"));
        frame.Action(cmd::PlanView)->trigger();
        QVERIFY(Save(frame, "plan"));
        frame.Action(cmd::ListView)->trigger();

        // Settings of the ordering.
        ui_.dialogs.push_back(Grab("options"));
        frame.Action(cmd::Options)->trigger();

        // Editing: the point dialog of a crossing, then a delete and the 撤销 it offers.
        frame.PointTable().SelectRow(2);
        ui_.dialogs.push_back(Grab("point_dialog"));
        frame.Action(cmd::EditPoint)->trigger();
        frame.PointTable().SelectRow(1);
        ui_.answers.push_back(true);
        frame.Action(cmd::DeletePoint)->trigger();
        ShowMenu(frame, QStringLiteral("操作(&O)"));
        QVERIFY(SaveScreen(frame, "undo_menu"));
        MenuNamed(frame, QStringLiteral("操作(&O)"))->close();
        frame.Action(cmd::Undo)->trigger();

        // Checking: the panel below the list, its rules opened.
        frame.Action(cmd::Check)->trigger();
        frame.Checks().Tree().expandAll();
        QVERIFY(Save(frame, "check_panel"));
        frame.Checks().close();

        // Result files.
        ui_.dialogs.push_back([this](QDialog& d) {
            auto& dialog = dynamic_cast<ResultFileDialog&>(d);
            dialog.KindList().setCurrentIndex(2);
            Save(d, "result_files");
            return int(QDialog::Rejected);
        });
        frame.Action(cmd::FileOutput)->trigger();

        // The guide itself and 关于.
        ShowMenu(frame, QStringLiteral("关于(&H)"));
        QVERIFY(SaveScreen(frame, "help_menu"));
        MenuNamed(frame, QStringLiteral("关于(&H)"))->close();
        frame.close();
    }

    void towerBase() {
        TowerBaseDialog tower(ui_);
        ui_.openFiles.push_back(Demo("塔基.PD"));
        tower.OnOpenFile();
        ui_.saveFiles.push_back(dir_.filePath(QStringLiteral("塔基.org")));
        tower.OnChooseOutput();
        QVERIFY(Save(tower, "tower_base"));
        tower.close();
    }

    void merge() {
        const QString folder = dir_.filePath(QStringLiteral("外业"));
        QDir().mkpath(folder);
        QFile::copy(QStringLiteral(LINVARA_SOURCE_DIR "/examples/demo.PD"), folder + "/线路A.PD");
        QFile::copy(QStringLiteral(LINVARA_SOURCE_DIR "/examples/demo.PD"), folder + "/线路B.PD");
        MergeDialog merge(ui_);
        ui_.directories.push_back(folder);
        merge.OnChooseFolder();
        ui_.saveFiles.push_back(dir_.filePath(QStringLiteral("合并.PD")));
        merge.OnChooseTarget();
        QVERIFY(Save(merge, "merge"));
    }
};

QTEST_MAIN(GuideScreenshotsTest)
#include "guide_screenshots_test.moc"
