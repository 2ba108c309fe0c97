// Undo and redo of every command that changes the list, each command stored
// when it completes: the file always holds the list on screen.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <SQLiteCpp/SQLiteCpp.h>
#include <functional>
#include <set>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/point_editor.h"
#include "app/project_document.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "gui_test_support.h"
#include "model/stake_sequence.h"
#include "text/format.h"

using namespace linvara;
using namespace linvara::gui;
using namespace linvara::gui::testing;
using linvara::testing::TempDir;

namespace {

std::function<int(QDialog&)> EnterPoint(const QString& name) {
    return FillThenOk<PointDialog>([name](PointDialog& d) {
        d.findChild<QLineEdit*>("nameEdit")->setText(name);
        d.findChild<QLineEdit*>("xEdit")->setText("1111.5");
    });
}

// Every value that reaches the file or the views, point by point in list order.
std::vector<std::string> Values(const DHPointList& list) {
    std::vector<std::string> out;
    for (const DHPoint& p : list)
        out.push_back(text::Format("%d %s %s %s %d %.4f %.4f %.4f %s-%s", p.ID, p.GPS_ID.c_str(), p.NewPtName.c_str(),
                                   p.Code.c_str(), p.DHType, p.Dx, p.Mileage, p.Offset, p.StartJ.c_str(), p.EndJ.c_str()));
    return out;
}

// Both working tables, row by row, every value with its storage type.
std::vector<std::string> Tables(const std::string& path) {
    std::vector<std::string> rows;
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    for (const char* sql : {"SELECT * FROM Electric_DH_Export ORDER BY ID", "SELECT * FROM Electric_DH_Order ORDER BY Order_ID"}) {
        SQLite::Statement q(db, sql);
        while (q.executeStep()) {
            std::string row;
            for (int i = 0; i < q.getColumnCount(); ++i)
                row += std::to_string(q.getColumn(i).getType()) + ":" + q.getColumn(i).getString() + "|";
            rows.push_back(row);
        }
        rows.push_back("--");
    }
    return rows;
}

struct Command {
    const char* name;
    QString undoText;
    std::function<void(MainWindow&, FakeUi&)> prepare;
    std::function<void(MainWindow&, FakeUi&)> run;
};

void Trigger(MainWindow& w, int id) { w.Action(id)->trigger(); }

std::vector<Command> Commands() {
    const auto none = [](MainWindow&, FakeUi&) {};
    return {
        {"add", "撤销 增加点", none,
         [](MainWindow& w, FakeUi& ui) {
             w.PointTable().SelectRow(1);
             ui.dialogs.push_back(EnterPoint("N1"));
             Trigger(w, cmd::AddPoint);
         }},
        {"insert", "撤销 插入点", none,
         [](MainWindow& w, FakeUi& ui) {
             ui.dialogs.push_back(EnterPoint("N2"));
             w.PointTable().InsertPointAt(2);
         }},
        {"edit with a new kind", "撤销 编辑点", none,
         [](MainWindow& w, FakeUi& ui) {
             w.PointTable().SelectRow(3);
             ui.dialogs.push_back(FillThenOk<PointDialog>([](PointDialog& d) {
                 d.findChild<QLineEdit*>("codeEdit")->setText("DL");
                 d.findChild<QComboBox*>("kindCombo")->setCurrentIndex(1);
             }));
             Trigger(w, cmd::EditPoint);
         }},
        {"delete one", "撤销 删除点", none,
         [](MainWindow& w, FakeUi&) {
             w.PointTable().SelectRow(0);
             Trigger(w, cmd::DeletePoint);
         }},
        {"delete many", "撤销 删除点", none,
         [](MainWindow& w, FakeUi&) {
             w.PointTable().SelectRowsByGpsId({"G02_line", "G05_line", "G08_line"});
             Trigger(w, cmd::DeletePoint);
         }},
        {"appoint J stakes", "撤销 指定J桩", none,
         [](MainWindow& w, FakeUi& ui) {
             w.PointTable().SelectRowsByGpsId({"G03_line", "G07_line"});
             ui.dialogs.push_back(FillThenOk<JStakeAppointDialog>(
                 [](JStakeAppointDialog& d) { d.findChild<QComboBox*>("endCombo")->setCurrentIndex(2); }));
             Trigger(w, cmd::AppointJ);
         }},
        {"move J stake to the top", "撤销 移到顶端",
         [](MainWindow& w, FakeUi&) { Trigger(w, cmd::JStakeEdit); },
         [](MainWindow& w, FakeUi&) {
             w.PointTable().SelectRow(2);
             Trigger(w, cmd::MoveTop);
         }},
        {"move J stake down", "撤销 向下",
         [](MainWindow& w, FakeUi&) { Trigger(w, cmd::JStakeEdit); },
         [](MainWindow& w, FakeUi&) {
             w.PointTable().SelectRow(0);
             Trigger(w, cmd::MoveDown);
         }},
        {"automatic order", "撤销 自动J桩排序", none, [](MainWindow& w, FakeUi&) { Trigger(w, cmd::AutoJOrder); }},
        {"mileage sort", "撤销 里程排序",
         [](MainWindow& w, FakeUi&) {
             Trigger(w, cmd::AutoJOrder);
             Trigger(w, cmd::JStakeEdit);
             w.PointTable().SelectRow(2);
             Trigger(w, cmd::MoveTop);
         },
         [](MainWindow& w, FakeUi&) { Trigger(w, cmd::MileageSort); }},
        {"reset to survey", "撤销 还原到测量数据",
         [](MainWindow& w, FakeUi& ui) {
             Trigger(w, cmd::AutoJOrder);
             w.PointTable().SelectRow(4);
             Trigger(w, cmd::DeletePoint);
             w.PointTable().SelectRow(0);
             ui.dialogs.push_back(EnterPoint("N3"));
             Trigger(w, cmd::AddPoint);
         },
         [](MainWindow& w, FakeUi&) { Trigger(w, cmd::Reset); }},
    };
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<FakeUi> ui_;
    std::string path_;

    std::unique_ptr<MainWindow> Open() {
        auto frame = std::make_unique<MainWindow>(*ui_);
        if (!frame->OpenProjectFile(QString::fromStdString(path_))) return nullptr;
        frame->Action(cmd::Save)->trigger();  // rows stored as every later write stores them
        return frame;
    }
    // The file holds what the window shows.
    void CheckStored(const MainWindow& frame) {
        QCOMPARE(Values(ReadBack(path_)), Values(frame.Document().Points()));
        QVERIFY(!frame.Document().IsModified());
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init() {
        dir_ = std::make_unique<TempDir>();
        ui_ = std::make_unique<FakeUi>();
        path_ = WriteSmallProject(*dir_);
    }
    void cleanup() {
        QCOMPARE(ui_->unexpectedDialogs, 0);
        ui_.reset();
        dir_.reset();
    }

    // Do, undo, redo: after each the list and both tables are those of that
    // state, byte for byte (an undone delete puts the rows back with their IDs).
    void doUndoRedo_data() {
        QTest::addColumn<int>("command");
        for (size_t i = 0; i < Commands().size(); ++i) QTest::newRow(Commands()[i].name) << int(i);
    }
    void doUndoRedo() {
        QFETCH(int, command);
        const Command c = Commands()[static_cast<size_t>(command)];
        auto frame = Open();
        QVERIFY(frame);
        c.prepare(*frame, *ui_);
        const auto listBefore = Values(frame->Document().Points());
        const auto tablesBefore = Tables(path_);
        const int depth = frame->Document().History().count();

        c.run(*frame, *ui_);
        QCOMPARE(frame->Document().History().count(), depth + 1);
        QCOMPARE(frame->Action(cmd::Undo)->text(), c.undoText);
        QVERIFY(frame->Action(cmd::Undo)->isEnabled());
        const auto listAfter = Values(frame->Document().Points());
        const auto tablesAfter = Tables(path_);
        QVERIFY(listAfter != listBefore);
        CheckStored(*frame);
        QCOMPARE(frame->MessageText(), QStringLiteral("已保存"));

        Trigger(*frame, cmd::Undo);
        QCOMPARE(Values(frame->Document().Points()), listBefore);
        QCOMPARE(Tables(path_), tablesBefore);
        QCOMPARE(frame->Action(cmd::Redo)->text(), QString(c.undoText).replace("撤销", "重做"));
        // The view shows the document's list.
        if (frame->Document().Mode() == ViewMode::AllPoints)
            QCOMPARE(ShownNames(frame->PointTable()), Names(frame->Document().Points()));

        Trigger(*frame, cmd::Redo);
        QCOMPARE(Values(frame->Document().Points()), listAfter);
        QCOMPARE(Tables(path_), tablesAfter);
        CheckStored(*frame);
    }

    // 向上/向下 of one J stake, again and again, is one step of the history;
    // another stake, another direction or another move starts a new one.
    // Undo takes back the whole run, in the list and in the file.
    void repeatedMovesFold_data() {
        QTest::addColumn<QList<int>>("commands");  // command, J-stake row; pairs
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("undoText");
        QTest::newRow("down twice") << QList<int>{cmd::MoveDown, 0, cmd::MoveDown, 1} << 1 << "撤销 向下";
        QTest::newRow("up twice") << QList<int>{cmd::MoveUp, 2, cmd::MoveUp, 1} << 1 << "撤销 向上";
        QTest::newRow("down, then up") << QList<int>{cmd::MoveDown, 0, cmd::MoveUp, 1} << 2 << "撤销 向上";
        QTest::newRow("two stakes down") << QList<int>{cmd::MoveDown, 0, cmd::MoveDown, 0} << 2 << "撤销 向下";
        QTest::newRow("to the top twice") << QList<int>{cmd::MoveTop, 1, cmd::MoveTop, 2} << 2 << "撤销 移到顶端";
        QTest::newRow("down and back up, down") << QList<int>{cmd::MoveDown, 0, cmd::MoveDown, 1, cmd::MoveUp, 2}
                                                << 2 << "撤销 向上";
    }
    void repeatedMovesFold() {
        QFETCH(QList<int>, commands);
        QFETCH(int, steps);
        QFETCH(QString, undoText);
        auto frame = Open();
        QVERIFY(frame);
        Trigger(*frame, cmd::JStakeEdit);
        const auto listBefore = Values(frame->Document().Points());
        const auto tablesBefore = Tables(path_);
        for (qsizetype i = 0; i < commands.size(); i += 2) {
            frame->PointTable().SelectRow(commands[i + 1]);
            Trigger(*frame, commands[i]);
            CheckStored(*frame);
        }
        const auto listAfter = Values(frame->Document().Points());
        const auto tablesAfter = Tables(path_);
        QCOMPARE(frame->Document().History().count(), steps);
        QCOMPARE(frame->Action(cmd::Undo)->text(), undoText);
        for (int i = 0; i < steps; ++i) Trigger(*frame, cmd::Undo);
        QVERIFY(!frame->Action(cmd::Undo)->isEnabled());
        QCOMPARE(Values(frame->Document().Points()), listBefore);
        QCOMPARE(Tables(path_), tablesBefore);
        QCOMPARE(ShownNames(frame->PointTable()), Names(JStakeList(frame->Document().Points())));
        for (int i = 0; i < steps; ++i) Trigger(*frame, cmd::Redo);
        QCOMPARE(Values(frame->Document().Points()), listAfter);
        QCOMPARE(Tables(path_), tablesAfter);
        CheckStored(*frame);
    }

    // The keys: Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; with nothing
    // done both are greyed.
    void keysAndGreying() {
        auto frame = Open();
        QVERIFY(frame);
        QVERIFY(!frame->Action(cmd::Undo)->isEnabled());
        QVERIFY(!frame->Action(cmd::Redo)->isEnabled());
        const QList<QKeySequence> redoKeys = frame->Action(cmd::Redo)->shortcuts();
        QCOMPARE(frame->Action(cmd::Undo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
        QVERIFY(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    }

    // Opening another project starts a new history.
    void openingAnotherClearsTheHistory() {
        auto frame = Open();
        QVERIFY(frame);
        Trigger(*frame, cmd::AutoJOrder);
        QCOMPARE(frame->Document().History().count(), 1);
        const std::string other = WriteSmallProject(*dir_, "other.PD");
        QVERIFY(frame->OpenProjectFile(QString::fromStdString(other)));
        QCOMPARE(frame->Document().History().count(), 0);
        QVERIFY(!frame->Action(cmd::Undo)->isEnabled());
    }

    // A window that goes without closing (killed) leaves the list of the
    // last completed command in the file, after every kind of command.
    void killedBetweenCommandsLosesNothing() {
        auto frame = Open();
        QVERIFY(frame);
        std::vector<std::string> last;
        for (const Command& c : Commands()) {
            c.prepare(*frame, *ui_);
            c.run(*frame, *ui_);
            CheckStored(*frame);
            Trigger(*frame, cmd::Undo);
            CheckStored(*frame);
            last = Values(frame->Document().Points());
            if (frame->Document().Mode() != ViewMode::AllPoints) Trigger(*frame, cmd::AllPoints);
        }
        // Ordering, one edit, then gone: no name twice, nothing half-written.
        Trigger(*frame, cmd::AutoJOrder);
        frame->PointTable().SelectRow(1);
        ui_->dialogs.push_back(FillThenOk<PointDialog>(
            [](PointDialog& d) { d.findChild<QLineEdit*>("codeEdit")->setText("K"); }));
        Trigger(*frame, cmd::EditPoint);
        last = Values(frame->Document().Points());
        frame.release()->deleteLater();  // no close, no save: what a kill leaves
        QCOMPARE(Values(ReadBack(path_)), last);
        std::set<std::string> names;
        for (const DHPoint& p : ReadBack(path_)) QVERIFY2(names.insert(p.NewPtName).second, p.NewPtName.c_str());
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
