// A project file with triggers and views in the desktop program: it opens,
// the message says once what is not run, and its button writes a copy
// without them where the user chooses.
#include <QTest>
#include <filesystem>

#include "app/main_window.h"
#include "gui_test_support.h"
#include "project/project.h"
#include "support/project_file.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

constexpr const char* kTriggers =
    "CREATE TRIGGER wipe AFTER INSERT ON Electric_DH_Order BEGIN DELETE FROM Point; END; "
    "CREATE VIEW loop AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c;";
const QString kFound = QStringLiteral("工程文件含有触发器/视图：wipe（触发器）、loop（视图），本程序不执行它们");

std::string SchemaCodeCount(const std::string& path) {
    return linvara::testing::Scalar(path, "SELECT count(*) FROM sqlite_master WHERE type IN ('trigger','view')");
}

}  // namespace

class HostileFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { IsolateSettings(); }

    void messageOffersACleanCopy_data() {
        QTest::addColumn<bool>("copy");     // the button chosen
        QTest::addColumn<bool>("named");    // a file chosen in the save dialog
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("OK") << false << false << QStringList{"clean-copy"};
        QTest::newRow("copy, dialog cancelled") << true << false << QStringList{"clean-copy"};
        QTest::newRow("copy saved") << true << true << QStringList{"clean-copy", "info"};
    }
    void messageOffersACleanCopy() {
        QFETCH(bool, copy);
        QFETCH(bool, named);
        QFETCH(QStringList, kinds);
        TempDir dir;
        const std::string path = WriteSmallProject(dir);
        {
            SilentReporter silent;
            Project first(silent);  // the working tables the trigger is on
            QVERIFY(first.Open(path));
        }
        linvara::testing::Exec(path, kTriggers);
        const std::string copyPath = dir.File("clean.PD");
        FakeUi ui;
        ui.cleanCopyAnswers.push_back(copy);
        if (named) ui.saveFiles.push_back(QString::fromStdString(copyPath));

        MainWindow frame(ui);
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(path)));
        QCOMPARE(ui.Kinds(), kinds);
        QCOMPARE(ui.messages.front().text, kFound);
        QCOMPARE(std::filesystem::exists(copyPath), named);
        QCOMPARE(SchemaCodeCount(path), std::string("2"));
        if (!named) return;
        QCOMPARE(ui.lastSuffix, QStringLiteral("PD"));
        QCOMPARE(ui.messages.back().text, QStringLiteral("已写入不含触发器/视图的副本：") + QString::fromStdString(copyPath));
        QCOMPARE(SchemaCodeCount(copyPath), std::string("0"));
        QCOMPARE(linvara::testing::Dump(copyPath, "Point"), linvara::testing::Dump(path, "Point"));

        // The copy opens without a word.
        ui.messages.clear();
        QVERIFY(frame.OpenProjectFile(QString::fromStdString(copyPath)));
        QCOMPARE(ui.Kinds(), QStringList{});
    }
};

QTEST_MAIN(HostileFileTest)
#include "hostile_file_test.moc"
