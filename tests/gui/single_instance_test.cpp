// Starting the desktop program with a project: the argument as a file
// manager passes it, a second start handing its project to the running
// window, and the 用户手册 command finding the guide.
#include <QAction>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <future>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "app/single_instance.h"
#include "app/start_arguments.h"
#include "app/user_guide.h"
#include "gui_test_support.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

// Where absolute paths start on this system.
QString Root() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    return QStringLiteral("/");
#endif
}

// Sends from another thread: the receiver answers from this thread's event loop.
std::future<bool> ForwardAsync(const QString& channel, const QString& path) {
    return std::async(std::launch::async, [channel, path] { return InstanceChannel(channel).Forward(path, 5000); });
}

bool WaitFor(std::future<bool>& sent) {
    for (int i = 0; i < 100 && sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready; ++i)
        QTest::qWait(50);
    return sent.get();
}

}  // namespace

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

class SingleInstanceTest : public QObject {
    Q_OBJECT

    TempDir dir_;

    QString Channel(const char* name) const { return QString::fromStdString(dir_.File(name)); }
    QString Project(const QString& name) {
        const QString path = QString::fromStdString(dir_.File(name.toStdString()));
        linvara::testing::WriteCollectorProject(path.toStdString(), SmallLine());
        return path;
    }

private slots:
    void initTestCase() { IsolateSettings(); }

    void startArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("project");
        QTest::addColumn<int>("request");
        const int run = int(StartArguments::Request::Run);
        const QString root = Root();
        QTest::newRow("none") << QStringList{} << QString() << run;
        QTest::newRow("absolute, spaces and Chinese") << QStringList{root + "data/线路 测量/第 1 段.PD"}
                                                      << root + "data/线路 测量/第 1 段.PD" << run;
        QTest::newRow("relative") << QStringList{"外业/a b.PD"} << root + "work dir/外业/a b.PD" << run;
        QTest::newRow("dot segments") << QStringList{"../x/./y.PD"} << root + "x/y.PD" << run;
        QTest::newRow("file URL, escaped") << QStringList{"file://" + QString(root.startsWith('/') ? "" : "/") + root + "data/%E7%BA%BF%E8%B7%AF%20A.PD"}
                                           << root + "data/线路 A.PD" << run;
        QTest::newRow("unknown option skipped") << QStringList{"--no-such", "a.PD"} << root + "work dir/a.PD" << run;
        QTest::newRow("first file only") << QStringList{"a.PD", "b.PD"} << root + "work dir/a.PD" << run;
        QTest::newRow("dash name after --") << QStringList{"--", "-a.PD"} << root + "work dir/-a.PD" << run;
        QTest::newRow("version") << QStringList{"--version"} << QString() << int(StartArguments::Request::Version);
        QTest::newRow("help with a file") << QStringList{"a.PD", "-h"} << root + "work dir/a.PD"
                                          << int(StartArguments::Request::Help);
#ifdef Q_OS_WIN
        // Explorer passes the double-clicked file with backslashes.
        QTest::newRow("backslashes") << QStringList{"C:\\线路\\a.PD"} << "C:/线路/a.PD" << run;
#endif
    }
    void startArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, project);
        QFETCH(int, request);
        const StartArguments start = ParseStartArguments(arguments, Root() + "work dir");
        QCOMPARE(start.project, project);
        QCOMPARE(int(start.request), request);
    }

    // The path arrives byte for byte; nobody listening is a quick false.
    void forwardReachesTheListener() {
        InstanceChannel receiver(Channel("ch1"));
        QVERIFY(receiver.Listen());
        QSignalSpy received(&receiver, &InstanceChannel::ProjectReceived);
        const QString path = QStringLiteral("/data/线路 测量/第 1 段 (改).PD");
        auto sent = ForwardAsync(Channel("ch1"), path);
        QVERIFY(WaitFor(sent));
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), path);
        QVERIFY(!InstanceChannel(Channel("nobody")).Forward(path, 500));
    }

    // A second window does not take the channel over; a socket file left by
    // a crashed program does not keep the next one from listening.
    void listenOnce() {
        InstanceChannel first(Channel("ch2"));
        QVERIFY(first.Listen());
        QVERIFY(!InstanceChannel(Channel("ch2")).Listen());
        linvara::testing::WriteFileBytes(dir_.File("stale"), "left over");
        InstanceChannel next(Channel("stale"));
        QVERIFY(next.Listen());
    }

    // The running window opens the forwarded project (the open one is saved
    // and left as opening always does), but not under an open dialog.
    void runningWindowOpensForwardedProject() {
        const QString first = Project(QStringLiteral("第一 工程.PD"));
        const QString second = Project(QStringLiteral("第二 工程.PD"));
        FakeUi ui;
        LinvaraApp app(ui);
        MainWindow& window = app.InitInstance(first);
        QCOMPARE(window.Document().Path(), first);
        InstanceChannel channel(Channel("ch3"));
        QVERIFY(channel.Listen());
        auto* opener = new ForwardedProjectOpener(channel, window);

        QDialog busy(&window);
        busy.setModal(true);
        busy.show();
        QVERIFY(QTest::qWaitForWindowExposed(&busy));
        auto sent = ForwardAsync(Channel("ch3"), second);
        QVERIFY(WaitFor(sent));
        QTest::qWait(400);
        QCOMPARE(window.Document().Path(), first);
        QCOMPARE(opener->Pending(), QStringList{second});
        busy.close();
        QTRY_COMPARE(window.Document().Path(), second);
        QVERIFY(opener->Pending().isEmpty());
        QVERIFY(!QFile::exists(QFileInfo(first).dir().filePath("." + QFileInfo(first).fileName() + ".linvara-lock")));
        QCOMPARE(ui.unexpectedDialogs, 0);
        window.close();
    }

    // A project forwarded while a large one is read (the read lets events
    // through to show its progress, past half a second) opens after the
    // read, not inside it.
    void forwardedProjectWaitsForARead() {
        const QString big = QString::fromStdString(dir_.File("大工程.PD"));
        std::vector<linvara::testing::CollectorPoint> points;
        for (int i = 0; i < 100000; ++i)
            points.push_back(linvara::testing::Surveyed("G" + std::to_string(i), "Z" + std::to_string(i), i % 50 ? 5 : 1,
                                                        3380000 + i, 500000 + i % 7, 40));
        linvara::testing::WriteCollectorProject(big.toStdString(), points);
        const QString second = Project(QStringLiteral("随后.PD"));
        FakeUi ui;
        LinvaraApp app(ui);
        MainWindow& window = app.InitInstance(Project(QStringLiteral("先前.PD")));
        InstanceChannel channel(Channel("ch4"));
        QVERIFY(channel.Listen());
        auto* opener = new ForwardedProjectOpener(channel, window);
        auto sent = ForwardAsync(Channel("ch4"), second);  // answered during the read
        QVERIFY(window.OpenProjectFile(big));
        QCOMPARE(window.Document().Path(), big);
        QVERIFY(WaitFor(sent));
        QTRY_COMPARE(window.Document().Path(), second);
        QVERIFY(opener->Pending().isEmpty());
        window.close();
    }

    // The guide installed beside the program comes first, HTML before
    // Markdown; without one the source tree's guide is used.
    void userGuidePath() {
        const QDir root(QString::fromStdString(dir_.File("install")));
        QVERIFY(root.mkpath("bin/doc") && root.mkpath("share/doc/linvara"));
        const QString bin = root.filePath("bin");
        QCOMPARE(UserGuidePath(bin), QStringLiteral(LINVARA_SOURCE_DIR "/docs/用户手册.md"));
        linvara::testing::WriteFileBytes(root.filePath("bin/doc/user-guide.md").toStdString(), "# 用户手册\n");
        QCOMPARE(UserGuidePath(bin), root.filePath("bin/doc/user-guide.md"));
        linvara::testing::WriteFileBytes(root.filePath("share/doc/linvara/user-guide.md").toStdString(), "# 用户手册\n");
        linvara::testing::WriteFileBytes(root.filePath("share/doc/linvara/user-guide.html").toStdString(), "<p>");
        QCOMPARE(UserGuidePath(bin), root.filePath("share/doc/linvara/user-guide.html"));
    }

    // 关于 › 用户手册 sits before 关于 and hands the guide to the desktop.
    void userGuideCommand() {
        FakeUi ui;
        LinvaraApp app(ui);
        MainWindow& window = app.InitInstance(QString());
        QMenu* help = nullptr;
        for (QAction* a : window.menuBar()->actions())
            if (a->text() == QStringLiteral("关于(&H)")) help = a->menu();
        QVERIFY(help);
        QCOMPARE(help->actions().size(), 2);
        QCOMPARE(help->actions().at(0)->text(), QStringLiteral("用户手册(&M)"));
        QCOMPARE(help->actions().at(1)->text(), QStringLiteral("关于 Linvara(&A)..."));
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "Open");
        help->actions().at(0)->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCOMPARE(recorder.opened.size(), 1);
        QVERIFY(recorder.opened.at(0).isLocalFile());
        QVERIFY(QFileInfo(recorder.opened.at(0).toLocalFile()).isFile());
        QVERIFY(ui.messages.empty());
        window.close();
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
