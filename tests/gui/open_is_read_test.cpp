// Opening a project in the desktop program reads it: opened and closed with
// no command, the file keeps every byte. A project that cannot be written is
// shown as read-only, and every command that would change it is refused
// with the reason.
#include <QTest>
#include <filesystem>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "gui_test_support.h"
#include "project/project.h"
#include "support/broken_files.h"
#include "support/permissions.h"
#include "support/project_file.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::ReadFileBytes;
using linvara::testing::TempDir;
namespace fs = std::filesystem;

class OpenIsReadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateSettings(); }

    // The demo's collector stored many values otherwise than a save stores
    // them (CrossAngle and GLWide empty): opening must not rewrite them.
    void openingAndClosingLeavesTheFileAsItWas() {
        TempDir dir;
        const std::string path = dir.File("demo.PD");
        fs::copy_file(std::string(LINVARA_SOURCE_DIR) + "/examples/demo.PD", path);
        {
            SilentReporter silent;
            Project first(silent);  // the first open makes the working tables
            QVERIFY(first.Open(path));
        }
        const std::string before = ReadFileBytes(path);
        FakeUi ui;
        {
            MainWindow frame(ui);
            QVERIFY(frame.OpenProjectFile(QString::fromStdString(path)));
            QTest::qWait(50);  // whatever opening left for the event loop
            frame.Action(cmd::PlanView)->trigger();
            frame.Action(cmd::ListView)->trigger();
            QVERIFY(frame.close());
        }
        QCOMPARE(ui.Kinds(), QStringList{});
        QVERIFY(ReadFileBytes(path) == before);
    }

    // A broken file is one error naming it; the window stays empty and the
    // file and what lies beside it keep every byte.
    void brokenFileIsOneErrorAndStaysAsItWas_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty") << "empty" << "工程文件是空的（0字节），不是工程：";
        QTest::newRow("stale journal") << "journal" << "工程文件旁有上次写入未完成留下的日志文件：";
        QTest::newRow("foreign wal") << "wal" << "工程文件旁有不属于它的WAL日志文件：";
    }
    void brokenFileIsOneErrorAndStaysAsItWas() {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        TempDir dir;
        const std::string path = WriteSmallProject(dir);
        (void)linvara::testing::StakeListOf(path);
        if (damage == "empty") linvara::testing::WriteFileBytes(path, "");
        if (damage == "journal") linvara::testing::PutStaleJournal(path);
        if (damage == "wal") linvara::testing::PutForeignWal(path);
        const auto before = linvara::testing::FilesOf(path);
        FakeUi ui;
        MainWindow frame(ui);
        QVERIFY(!frame.OpenProjectFile(QString::fromStdString(path)));
        QCOMPARE(ui.Kinds(), QStringList{"error"});
        QVERIFY2(ui.messages.back().text.startsWith(said + QString::fromStdString(path)), qPrintable(ui.messages.back().text));
        QVERIFY(!ui.messages.back().text.contains('\n'));
        QVERIFY(!frame.Document().IsOpen());
        QVERIFY(frame.close());
        QVERIFY(linvara::testing::FilesOf(path) == before);
    }

    void readOnlyProjectIsShownAndRefusesChanges() {
        if (!linvara::testing::AsUserWhomModesStop::Possible()) QSKIP("no POSIX file modes");
        TempDir dir;
        const std::string folder = dir.File("share");
        fs::create_directory(folder);
        const std::string path = WriteSmallProject(dir, "share/line.PD");
        linvara::testing::ReadOnlyMode(path, false);
        linvara::testing::WritableMode(folder, true);
        const std::string before = ReadFileBytes(path);
        const QString reason = QStringLiteral("工程文件为只读，修改将无法保存：") + QString::fromStdString(path);
        FakeUi ui;
        MainWindow frame(ui);
        {
            linvara::testing::AsUserWhomModesStop user;
            QVERIFY(frame.OpenProjectFile(QString::fromStdString(path)));
        }
        QVERIFY2(frame.windowTitle().endsWith(QStringLiteral(" [只读]")), qPrintable(frame.windowTitle()));
        QCOMPARE(frame.MessageText(), QStringLiteral("就绪（只读，修改无法保存）"));
        QCOMPARE(ui.Kinds(), QStringList{"warning"});
        QCOMPARE(ui.messages.back().text, reason);
        const std::vector<std::string> names = Names(frame.Document().Points());
        QVERIFY(!names.empty());
        for (int command : {int(cmd::Save), int(cmd::AutoJOrder), int(cmd::MileageSort)}) {
            ui.messages.clear();
            frame.Action(command)->trigger();
            QCOMPARE(ui.Kinds(), QStringList{"error"});
            QCOMPARE(ui.messages.back().text, reason);
            QVERIFY(Names(frame.Document().Points()) == names);
            QVERIFY(!frame.Document().IsModified());
        }
        DHPoint edited = frame.Document().Points().front();
        edited.Code = "changed";
        ui.messages.clear();
        QVERIFY(!frame.Document().EditPoint(edited));
        QVERIFY(!frame.Document().DeletePoints({edited.GPS_ID}));
        QCOMPARE(ui.Kinds(), (QStringList{"error", "error"}));
        QCOMPARE(frame.Document().History().count(), 0);
        ui.messages.clear();
        QVERIFY(frame.close());
        QCOMPARE(ui.Kinds(), QStringList{});
        QVERIFY(ReadFileBytes(path) == before);
        linvara::testing::WritableMode(path, false);
    }
};

QTEST_MAIN(OpenIsReadTest)
#include "open_is_read_test.moc"
