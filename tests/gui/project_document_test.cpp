// The open project's safety in the desktop program: saves that fail say why,
// another program's changes are settled by asking, and a project open in
// another window is not opened unasked.
#include <QAction>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <QSettings>
#include <optional>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "app/project_lock.h"
#include "common/workspace.h"
#include "dialogs/options_dialog.h"
#include "dialogs/point_dialog.h"
#include "gui_test_support.h"
#include "project/project.h"
#include "support/broken_files.h"
#include "support/permissions.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;
namespace fs = std::filesystem;

namespace {

using Names_ = std::vector<std::string>;
const Names_ kSurveyOrder = {"J1", "J2", "J3"};
const Names_ kMoved = {"J3", "J1", "J2"};  // J3 moved to the top in the window

std::string CodeOf(const DHPointList& list, const std::string& gpsId) {
    const int index = FindIndexByGpsId(list, gpsId);
    return index < 0 ? std::string("<none>") : list[static_cast<size_t>(index)].Code;
}

// Another program (the command line, another window) edits Z1 in the file.
void OtherProgramEditsZ1(const std::string& path) {
    SilentReporter silent;
    Project other(silent);
    QVERIFY(other.Open(path));
    DHPoint z1 = other.Points()[static_cast<size_t>(FindIndexByGpsId(other.Points(), "G02_line"))];
    z1.Code = "CLI";
    QVERIFY(other.EditPoint(z1));
}

}  // namespace

class ProjectDocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::string path_;

    // A window with the small line open and J3 moved to the top; `beforeMove`
    // makes the move's own store fail or meet a conflict, so it stays unsaved.
    std::unique_ptr<MainWindow> OpenMoved(const std::function<void()>& beforeMove = {}) {
        auto frame = std::make_unique<MainWindow>(*ui_);
        if (!frame->OpenProjectFile(QString::fromStdString(path_))) return nullptr;
        if (beforeMove) beforeMove();
        frame->Action(cmd::JStakeEdit)->trigger();
        frame->PointTable().SelectRow(2);
        frame->Action(cmd::MoveTop)->trigger();
        return frame;
    }
    QString Path() const { return QString::fromStdString(path_); }
    // The project as messages name it: absolute, with the system's separators.
    QString Shown() const { return QDir::toNativeSeparators(QFileInfo(Path()).absoluteFilePath()); }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
        path_ = WriteSmallProject(*dir_);
    }
    void cleanup() {
        ui_.reset();
        dir_.reset();
    }

    // The options are the project's own, kept in its file: they come back
    // wherever the file is copied and whatever the user's settings hold, and
    // setting them writes nothing but them.
    void optionsTravelWithTheProjectFile() {
        ConversionOptions chosen;
        chosen.StartMileage = 500;
        chosen.UseOffsetRange = 1;
        chosen.OffsetRange = 0.25;
        {
            MainWindow frame(*ui_);
            QVERIFY(frame.OpenProjectFile(Path()));
            QVERIFY(frame.Document().SetOptions(chosen));
            QVERIFY(!frame.Document().IsModified());
        }
        const std::string copy = dir_->File("copy.PD");
        fs::copy_file(path_, copy);
        QSettings().clear();
        for (const std::string& path : {path_, copy}) {
            MainWindow frame(*ui_);
            QVERIFY(frame.OpenProjectFile(QString::fromStdString(path)));
            QCOMPARE(frame.Document().Options().StartMileage, 500.0);
            QCOMPARE(frame.Document().Options().OffsetRange, 0.25);
        }
        // Another project keeps the user's defaults.
        MainWindow frame(*ui_);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(WriteSmallProject(*dir_, "other.PD"))));
        QCOMPARE(frame.Document().Options().StartMileage, 0.0);
        QVERIFY(ui_->messages.empty());
    }

    // Options an earlier version kept in the settings for this project are
    // its options until it keeps its own; opening still writes nothing.
    void optionsKeptByAnEarlierVersionAreNotLost() {
        {
            MainWindow first(*ui_);  // the first open prepares the working tables
            QVERIFY(first.OpenProjectFile(Path()));
        }
        QSettings settings;
        const QByteArray hash =
            QCryptographicHash::hash(QFileInfo(Path()).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex();
        settings.beginGroup(QStringLiteral("ProjectOptions/") + QString::fromLatin1(hash));
        settings.setValue(QStringLiteral("StartMileage"), 1200.5);
        settings.setValue(QStringLiteral("UseStartName"), 1);
        settings.setValue(QStringLiteral("StartName"), QStringLiteral("N7"));
        settings.endGroup();
        const std::string before = linvara::testing::ReadFileBytes(path_);
        {
            MainWindow frame(*ui_);
            QVERIFY(frame.OpenProjectFile(Path()));
            QCOMPARE(frame.Document().Options().StartMileage, 1200.5);
            QCOMPARE(frame.Document().Options().StartName, std::string("N7"));
        }
        QVERIFY(linvara::testing::ReadFileBytes(path_) == before);
        // Another project is not touched by them.
        MainWindow frame(*ui_);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(WriteSmallProject(*dir_, "other.PD"))));
        QCOMPARE(frame.Document().Options().StartMileage, 0.0);
        settings.clear();
    }

    // A file that cannot be opened leaves the open project as it was, its
    // options included, and the user's defaults too.
    void aFailedOpenKeepsTheOpenProjectsOptions() {
        const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> broken = {
            {"not a database", [](const std::string& p) { std::ofstream(p) << "no project here"; }},
            {"cut short", [](const std::string& p) { linvara::testing::CutFile(p, 3000); }},
            {"damaged tables", [](const std::string& p) { linvara::testing::DamageTablePages(p, {"Point"}); }},
        };
        MainWindow frame(*ui_);
        QVERIFY(frame.OpenProjectFile(Path()));
        ui_->dialogs.push_back(FillThenOk<OptionsDialog>([](OptionsDialog& d) {
            d.findChild<QLineEdit*>("startMileageEdit")->setText("750");
            d.findChild<QCheckBox*>("useStartNameCheck")->setChecked(true);
            d.findChild<QLineEdit*>("startNameEdit")->setText("30");
        }));
        frame.Action(cmd::Options)->trigger();
        for (const auto& [what, damage] : broken) {
            const std::string other = WriteSmallProject(*dir_, std::string(what) + ".PD");
            damage(other);
            ui_->messages.clear();
            QVERIFY2(!frame.OpenProjectFile(QString::fromStdString(other)), what);
            QVERIFY2(!ui_->messages.empty(), what);
            QCOMPARE(frame.Document().Path(), Shown());
            QCOMPARE(frame.Document().Options().StartMileage, 750.0);
            QCOMPARE(frame.Document().Options().StartName, std::string("30"));
            QCOMPARE(frame.MileageText(), QStringLiteral("起始里程 750.000 m"));
        }
        QCOMPARE(workspace::DefaultOptions().StartMileage, 0.0);
    }

    // Save with the file moved away: said with the file and the cause,
    // whether or not the list waits to be saved; the list stays as it is.
    void saveFailureNamesTheCause_data() {
        QTest::addColumn<bool>("reordered");
        QTest::newRow("nothing to save") << false;
        QTest::newRow("reordered") << true;
    }
    void saveFailureNamesTheCause() {
        QFETCH(bool, reordered);
        const auto moveAway = [this] { fs::rename(path_, path_ + ".moved"); };
        auto frame = reordered ? OpenMoved(moveAway) : std::make_unique<MainWindow>(*ui_);
        QVERIFY(frame);
        if (!reordered) QVERIFY(frame->OpenProjectFile(Path()));
        if (!reordered) moveAway();
        // The move's own store failed and said so.
        QCOMPARE(ui_->Kinds(), reordered ? QStringList{"error"} : QStringList{});
        ui_->messages.clear();
        frame->Action(cmd::SaveKey)->trigger();
        QVERIFY(frame->MessageText().startsWith(QStringLiteral("未保存：保存失败：")));
        QCOMPARE(ui_->Kinds(), QStringList{"error"});
        const QString said = ui_->messages.back().text;
        QVERIFY2(said.startsWith(QStringLiteral("保存失败：") + Shown() + QStringLiteral("（")), qPrintable(said));
        QVERIFY2(said.endsWith(QStringLiteral("）")), qPrintable(said));
        QCOMPARE(frame->Document().IsModified(), reordered);
        if (reordered) QCOMPARE(Names(JStakeList(frame->Document().Points())), kMoved);
    }

    // Closing the window or opening another project after a failed save
    // asks; No keeps the project open with its changes.
    void leavingAfterAFailedSaveAsks_data() {
        QTest::addColumn<bool>("close");
        QTest::addColumn<bool>("answer");
        QTest::newRow("close, keep") << true << false;
        QTest::newRow("close anyway") << true << true;
        QTest::newRow("open another, keep") << false << false;
        QTest::newRow("open another anyway") << false << true;
    }
    void leavingAfterAFailedSaveAsks() {
        QFETCH(bool, close);
        QFETCH(bool, answer);
        const std::string other = WriteSmallProject(*dir_, "other.PD");
        auto frame = OpenMoved([this] { fs::rename(path_, path_ + ".moved"); });
        QVERIFY(frame);
        ui_->messages.clear();
        ui_->answers = {answer};
        const bool left = close ? frame->close() : frame->OpenProjectFile(QString::fromStdString(other));
        QCOMPARE(left, answer);
        QCOMPARE(ui_->Kinds(), QStringList{"yesno"});
        QVERIFY(ui_->messages.back().text.startsWith(QStringLiteral("保存失败：") + Shown()));
        QVERIFY(ui_->messages.back().text.endsWith(QStringLiteral("仍要关闭该工程吗？未保存的修改将丢失。")));
        if (!answer) {
            QCOMPARE(frame->Document().Path(), Path());
            QVERIFY(frame->Document().IsModified());
        }
    }

    // Another program changed the file since the window read it; each way
    // the window can write meets it, and each answer does what it says.
    void conflictIsPutToTheUser_data() {
        QTest::addColumn<QString>("write");
        QTest::addColumn<ConflictChoice>("choice");
        QTest::addColumn<Names_>("fileOrder");
        QTest::addColumn<QString>("fileZ1");   // the other program wrote "CLI"
        QTest::addColumn<QString>("fileC1");   // the window's edit writes "WIN"
        QTest::addColumn<Names_>("windowOrder");
        QTest::newRow("save, keep mine") << "save" << ConflictChoice::KeepMine << kMoved << "" << "" << kMoved;
        QTest::newRow("save, load theirs") << "save" << ConflictChoice::LoadTheirs << kSurveyOrder << "CLI" << "" << kSurveyOrder;
        QTest::newRow("save, cancel") << "save" << ConflictChoice::Cancel << kSurveyOrder << "CLI" << "" << kMoved;
        QTest::newRow("edit, keep mine") << "edit" << ConflictChoice::KeepMine << kMoved << "" << "WIN" << kMoved;
        QTest::newRow("edit, load theirs") << "edit" << ConflictChoice::LoadTheirs << kSurveyOrder << "CLI" << "" << kSurveyOrder;
        QTest::newRow("close, keep mine") << "close" << ConflictChoice::KeepMine << kMoved << "" << "" << kMoved;
        QTest::newRow("close, cancel") << "close" << ConflictChoice::Cancel << kSurveyOrder << "CLI" << "" << kMoved;
    }
    void conflictIsPutToTheUser() {
        QFETCH(QString, write);
        QFETCH(ConflictChoice, choice);
        QFETCH(Names_, fileOrder);
        QFETCH(QString, fileZ1);
        QFETCH(QString, fileC1);
        QFETCH(Names_, windowOrder);
        // The move's own store meets the other program's change first; it is
        // cancelled there, so the write under test meets it again.
        ui_->conflictAnswers = {ConflictChoice::Cancel, choice};
        auto frame = OpenMoved([this] { OtherProgramEditsZ1(path_); });
        QVERIFY(frame);
        QCOMPARE(ui_->Kinds(), QStringList{"conflict"});
        ui_->messages.clear();
        if (write == "save") frame->Action(cmd::Save)->trigger();
        if (write == "close") QCOMPARE(frame->close(), choice != ConflictChoice::Cancel);
        if (write == "edit") {
            ui_->dialogs.push_back(FillThenOk<PointDialog>(
                [](PointDialog& d) { d.findChild<QLineEdit*>("codeEdit")->setText("WIN"); }));
            frame->Editor().Edit("G04_line");
        }
        QCOMPARE(ui_->Kinds(), QStringList{"conflict"});
        QVERIFY(ui_->messages[0].text.startsWith(QStringLiteral("工程文件已被其他程序修改：") + Shown() + "\n"));
        const DHPointList file = ReadBack(path_);
        QCOMPARE(Names(JStakeList(file)), fileOrder);
        QCOMPARE(QString::fromStdString(CodeOf(file, "G02_line")), fileZ1);
        QCOMPARE(QString::fromStdString(CodeOf(file, "G04_line")), fileC1);
        if (write == "close" && choice != ConflictChoice::Cancel) return;
        QCOMPARE(Names(JStakeList(frame->Document().Points())), windowOrder);
        // The list view shows what the document holds.
        QCOMPARE(ShownNames(frame->PointTable()), Names(frame->Document().Mode() == ViewMode::JStakes
                                                            ? JStakeList(frame->Document().Points())
                                                            : frame->Document().Points()));
        if (choice == ConflictChoice::LoadTheirs)
            QCOMPARE(CodeOf(frame->Document().Points(), "G02_line"), std::string("CLI"));
    }

    // 重新读取 (F5) shows what another program wrote since the project was
    // opened, and asks nothing while the window had nothing unsaved.
    void rereadShowsWhatAnotherProgramWrote() {
        MainWindow frame(*ui_);
        QVERIFY(frame.OpenProjectFile(Path()));
        OtherProgramEditsZ1(path_);
        QCOMPARE(CodeOf(frame.Document().Points(), "G02_line"), std::string(""));
        frame.Action(cmd::Reread)->trigger();
        QCOMPARE(CodeOf(frame.Document().Points(), "G02_line"), std::string("CLI"));
        QCOMPARE(ShownNames(frame.PointTable()), Names(frame.Document().Points()));
        QVERIFY(ui_->messages.empty());
    }

    // A project open in one window: a second window asks before it opens it.
    void secondWindowAsks_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void secondWindowAsks() {
        QFETCH(bool, answer);
        MainWindow first(*ui_);
        QVERIFY(first.OpenProjectFile(Path()));
        QVERIFY(ui_->messages.empty());
        FakeUi secondUi;
        secondUi.answers = {answer};
        MainWindow second(secondUi);
        QCOMPARE(second.OpenProjectFile(Path()), answer);
        QCOMPARE(secondUi.Kinds(), QStringList{"yesno"});
        QVERIFY(secondUi.messages[0].text.startsWith(QStringLiteral("工程文件已在另一个Linvara窗口中打开：") + Shown() + "\n"));
        QCOMPARE(second.Document().IsOpen(), answer);
        // Reopening in the window that holds it asks nothing.
        QVERIFY(first.OpenProjectFile(Path()));
        QVERIFY(ui_->messages.empty());
    }

    // No question where no other window holds the project.
    void opensWithoutAsking_data() {
        QTest::addColumn<QString>("setting");
        QTest::newRow("the other window closed") << "closed";
        QTest::newRow("lock left by a crashed program") << "stale";
        // Process numbers come round again (within seconds under Wine): a
        // lock naming this very process that no window of it holds is stale.
        QTest::newRow("lock left by an earlier process of this number") << "own number";
        QTest::newRow("read-only folder") << "read-only";
    }
    void opensWithoutAsking() {
        QFETCH(QString, setting);
        const QString lockPath = ProjectLock::LockPath(Path());
        if (setting == "closed") {
            MainWindow first(*ui_);
            QVERIFY(first.OpenProjectFile(Path()));
            QVERIFY(QFileInfo::exists(lockPath));
            QVERIFY(first.close());
            QVERIFY(!QFileInfo::exists(lockPath));  // released on closing, not only when the window goes
        } else if (setting == "stale" || setting == "own number") {
            // What the lock file names: a process number and the program's file name.
            qint64 pid = QCoreApplication::applicationPid();
            QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
            if (setting == "stale") {
                QProcess gone;  // a process id that no longer runs
                gone.start(QStringLiteral(LINVARA_CLI), {QStringLiteral("--version")});
                QVERIFY(gone.waitForStarted());
                pid = gone.processId();
                QVERIFY(gone.waitForFinished());
            }
            linvara::testing::WriteFileBytes(
                lockPath.toStdString(), QStringLiteral("%1\n%2\n%3\n")
                                            .arg(pid)
                                            .arg(program, QSysInfo::machineHostName())
                                            .toStdString());
        } else {
            if (!linvara::testing::AsUserWhomModesStop::Possible()) QSKIP("no POSIX file modes");
            QVERIFY(ReadBack(path_).size() == 8);  // working tables made while the folder is writable
            linvara::testing::ReadOnlyMode(dir_->Utf8(), true);
        }
        MainWindow window(*ui_);
        bool opened = false;
        {
            std::optional<linvara::testing::AsUserWhomModesStop> user;
            if (setting == "read-only") user.emplace();
            opened = window.OpenProjectFile(Path());
        }
        if (setting == "read-only") fs::permissions(dir_->path(), fs::perms::owner_write, fs::perm_options::add);
        QVERIFY(opened);
        // No lock is no question; that changes cannot be stored is said once.
        QCOMPARE(ui_->Kinds(), setting == "read-only" ? QStringList{"warning"} : QStringList{});
    }
};

QTEST_MAIN(ProjectDocumentTest)
#include "project_document_test.moc"
