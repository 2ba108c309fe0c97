// The demo project in the real window with real message boxes: a detail
// point deleted with the Delete key and confirmed, Ctrl+Z, the window
// closed: the working tables are as before, value for value.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/linvara_app.h"
#include "app/main_window.h"
#include "app/project_document.h"
#include "common/qt_ui_services.h"
#include "gui_test_support.h"
#include "support/table_dump.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::DumpWorkingTables;
using linvara::testing::TempDir;

namespace {

// Presses `button` in the next message box that opens; `asked` gets its text.
void AnswerNextBox(QMessageBox::StandardButton button, QString* asked) {
    QTimer::singleShot(50, [button, asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return AnswerNextBox(button, asked);
        *asked = box->text();
        box->button(button)->click();
    });
}

}  // namespace

class DemoUndoTest : public QObject {
    Q_OBJECT
    TempDir dir_;

    // Copies in separate folders under the same name: the name goes into the seeded rows.
    std::string Copy(const char* folder) {
        std::filesystem::create_directories(dir_.File(folder));
        const std::string copy = dir_.File(std::string(folder) + "/demo.PD");
        std::filesystem::copy_file(std::string(LINVARA_SOURCE_DIR) + "/examples/demo.PD", copy);
        return copy;
    }

private slots:
    void initTestCase() { IsolateSettings(); }

    void deleteThenUndoLeavesTheFileAsItWas() {
        QtUiServices ui;
        // The file as opening and closing alone leaves it.
        const std::string untouched = Copy("untouched");
        {
            LinvaraApp app(ui);
            MainWindow& frame = app.InitInstance(QString::fromStdString(untouched));
            QVERIFY(frame.close());
        }
        const std::string path = Copy("edited");
        LinvaraApp app(ui);
        MainWindow& frame = app.InitInstance(QString::fromStdString(path));
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));  // the window's keys reach its actions
        const auto opened = DumpWorkingTables(path);
        PointTableView& view = frame.PointTable();
        int row = 0;
        while (row < view.Model().rowCount() && view.Model().PointAt(row)->DHType == JStake) ++row;
        QVERIFY(row < view.Model().rowCount());
        const std::string name = view.Model().PointAt(row)->NewPtName;
        view.SelectRow(row);
        view.setFocus();
        QString asked;
        AnswerNextBox(QMessageBox::Ok, &asked);
        QTest::keyClick(&view, Qt::Key_Delete);
        QCOMPARE(asked, QStringLiteral("确定删除点“%1”？").arg(QString::fromStdString(name)));
        QVERIFY(DumpWorkingTables(path) != opened);  // the delete is in the file
        frame.activateWindow();  // back from the message box
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(DumpWorkingTables(path), opened);
        QVERIFY(frame.close());
        QCOMPARE(DumpWorkingTables(path), opened);
        QCOMPARE(DumpWorkingTables(path), DumpWorkingTables(untouched));
    }
};

QTEST_MAIN(DemoUndoTest)
#include "demo_undo_test.moc"
