// Project: saves in one transaction, writes only what changed, refuses to
// overwrite another program's changes, and names the cause of a failure.
#include "project/project.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/stat.h>

#include <functional>
#include <limits>
#include <map>
#include <set>

#include "support/file_triggers.h"
#include "support/named_point.h"
#include "support/project_file.h"
#include "support/permissions.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/format.h"

namespace linvara::testing {
namespace {

using Code = Status::Code;

// Route J1 -> J2 -> J3, surveyed out of route order: ordering moves rows and
// gives every point a mileage.
void WriteLine(const std::string& path) {
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "far", 2, 290, 700),
                                 Surveyed("3", "near", 4, 30.16, 39.88), Surveyed("4", "J2", 0, 300, 400),
                                 Surveyed("5", "Z1", 1, 150, 200), Surveyed("6", "J3", 0, 300, 1000)});
}

// "GPS_ID name mileage offset StartJ-EndJ" per point, in list order.
std::vector<std::string> Route(const DHPointList& list) {
    std::vector<std::string> route;
    for (const DHPoint& p : list)
        route.push_back(text::Format("%s %s %.4f %.4f %s-%s", p.GPS_ID.c_str(), p.NewPtName.c_str(), p.Mileage,
                                     p.Offset, p.StartJ.c_str(), p.EndJ.c_str()));
    return route;
}

DHPoint NewPoint(const std::string& name) {
    DHPoint p;
    p.GPS_ID = "new-" + name;
    p.NewPtName = name;
    p.OrgPtName = name;
    p.DHType = ZStake;
    p.Dx = 100;
    p.Dy = 130;
    return p;
}

// What a user does between opening and saving.
struct Steps {
    const char* name;
    std::function<void(Project&)> run;
};

void Check(const Status& status) { ASSERT_TRUE(IsOk(status)); }

const std::vector<Steps>& ListChanges() {
    static const std::vector<Steps> steps = {
        {"auto order", [](Project& p) { p.AutoOrder(); }},
        {"edit, then appoint J stakes",
         [](Project& p) {
             DHPoint edited = Named(p, "Z1");
             edited.Code = "电杆";
             edited.Dh = 12.34567;
             Check(p.EditPoint(edited));
             p.AppointJStakes({Named(p, "far").GPS_ID, Named(p, "near").GPS_ID}, Named(p, "J1"), Named(p, "J2"));
         }},
        {"delete, then auto order",
         [](Project& p) {
             Check(p.DeletePoints({Named(p, "Z1").GPS_ID}));
             p.AutoOrder();
         }},
        {"add in the middle, then sort by mileage",
         [](Project& p) {
             Check(p.AddPoint(NewPoint("N1"), 1));
             p.AutoOrder();
             p.SortByMileage();
         }},
        {"add last, auto order, move a J stake",
         [](Project& p) {
             Check(p.AddPoint(NewPoint("N1")));
             p.AutoOrder();
             p.MoveJStake(JMove::Down, 0);
         }},
    };
    return steps;
}

// Every later write to the working tables (until they are dropped) is logged into table Writes as
// "<table> <op> <row>", in the order they happen.
void LogWrites(const std::string& path) {
    std::string sql = "CREATE TABLE IF NOT EXISTS Writes (what TEXT);";
    for (const auto& [table, key, name] : {std::tuple{"Electric_DH_Export", "ID", "export"},
                                           std::tuple{"Electric_DH_Order", "Order_ID", "order"}}) {
        for (const auto& [op, row] : {std::pair{"UPDATE", "new"}, std::pair{"INSERT", "new"},
                                      std::pair{"DELETE", "old"}})
            sql += text::Format("CREATE TRIGGER IF NOT EXISTS log_%s_%s AFTER %s ON %s BEGIN INSERT INTO Writes VALUES "
                                "('%s %s ' || %s.%s); END;",
                                name, op, op, table, name, op, row, key);
    }
    Exec(path, sql);
}

std::vector<std::string> Writes(const std::string& path) {
    return FirstColumn(path, "SELECT what FROM Writes ORDER BY rowid");
}

// The rows of both working tables by "<table> <key>", values as stored.
std::map<std::string, std::string> RowsByKey(const std::string& path) {
    std::map<std::string, std::string> rows;
    for (const auto& [table, key, name] : {std::tuple{"Electric_DH_Export", "ID", "export"},
                                           std::tuple{"Electric_DH_Order", "Order_ID", "order"}}) {
        SQLite::Database db(path, SQLite::OPEN_READONLY);
        SQLite::Statement q(db, std::string("SELECT ") + key + ", * FROM " + table);
        while (q.executeStep()) {
            std::string row;
            for (int i = 1; i < q.getColumnCount(); ++i)
                row += std::to_string(q.getColumn(i).getType()) + ":" + q.getColumn(i).getString() + "|";
            rows[std::string(name) + " UPDATE " + q.getColumn(0).getString()] = row;
        }
    }
    return rows;
}

// The rows whose stored values differ, as LogWrites names their updates.
std::set<std::string> ChangedRows(const std::map<std::string, std::string>& before,
                                  const std::map<std::string, std::string>& after) {
    std::set<std::string> changed;
    for (const auto& [key, row] : after)
        if (!before.contains(key) || before.at(key) != row) changed.insert(key);
    for (const auto& [key, row] : before)
        if (!after.contains(key)) changed.insert(key);
    return changed;
}

// The writes that replace the order rows whole: every old row deleted, every new one inserted.
std::set<std::string> Replaced(const std::map<std::string, std::string>& before,
                               const std::map<std::string, std::string>& after) {
    std::set<std::string> writes;
    for (const auto& [rows, op] : {std::pair{&before, "DELETE"}, std::pair{&after, "INSERT"}})
        for (const auto& [key, row] : *rows)
            if (key.starts_with("order")) writes.insert("order " + std::string(op) + key.substr(key.rfind(' ')));
    return writes;
}

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteLine(path);
        ASSERT_TRUE(IsOk(project.Open(path)));
        ASSERT_EQ(project.Points().size(), 6u);
    }

    FileTriggersRun triggers;  // logged writes and failed writes are made with triggers
    TempDir dir;
    std::string path = dir.File("Line.PD");
    RecordingReporter reporter;
    Project project{reporter};
};

TEST_F(ProjectTest, SaveStoresTheListInMemoryAndEachStepKeepsItInStep) {
    for (const Steps& steps : ListChanges()) {
        SCOPED_TRACE(steps.name);
        ASSERT_TRUE(IsOk(project.ResetToSurvey()));
        steps.run(project);
        EXPECT_TRUE(project.IsModified());
        ASSERT_TRUE(IsOk(project.Save()));
        EXPECT_FALSE(project.IsModified());
        EXPECT_EQ(Route(StakeListOf(path)), Route(project.Points()));
        // The next step needs no reread: nothing another program did is in the way.
        DHPoint edited = project.Points().back();
        edited.Note = "checked";
        EXPECT_TRUE(IsOk(project.EditPoint(edited)));
    }
    EXPECT_TRUE(reporter.messages.empty());
}

// Writing only the rows that differ leaves the tables exactly as the full
// write (Overwrite) does from the same steps on a copy.
TEST_F(ProjectTest, SavingChangedRowsEqualsTheFullWrite) {
    for (const Steps& steps : ListChanges()) {
        SCOPED_TRACE(steps.name);
        TempDir a, b;
        const std::string pathA = a.File("Line.PD"), pathB = b.File("Line.PD");
        WriteLine(pathA);
        WriteLine(pathB);
        Project normal(reporter), overwrite(reporter);
        ASSERT_TRUE(IsOk(normal.Open(pathA)));
        ASSERT_TRUE(IsOk(overwrite.Open(pathB)));
        steps.run(normal);
        steps.run(overwrite);
        ASSERT_TRUE(IsOk(normal.Save()));
        ASSERT_TRUE(IsOk(overwrite.Save(Project::SaveMode::Overwrite)));
        EXPECT_EQ(DumpWorkingTables(pathA), DumpWorkingTables(pathB));
    }
}

// The rows a save writes are exactly the rows whose stored values change;
// a list equal to what is stored writes nothing, though it was touched.
TEST_F(ProjectTest, SaveWritesExactlyTheRowsThatChange) {
    for (const Steps& steps : ListChanges()) {
        SCOPED_TRACE(steps.name);
        ASSERT_TRUE(IsOk(project.ResetToSurvey()));
        LogWrites(path);
        steps.run(project);
        const auto before = RowsByKey(path);
        Exec(path, "DELETE FROM Writes");
        ASSERT_TRUE(IsOk(project.Save()));
        const auto after = RowsByKey(path);
        std::vector<std::string> exportWrites, orderWrites;
        for (const std::string& write : Writes(path))
            (write.starts_with("export") ? exportWrites : orderWrites).push_back(write);
        std::set<std::string> changedExport, changedOrder;
        for (const std::string& row : ChangedRows(before, after))
            (row.starts_with("export") ? changedExport : changedOrder).insert(row);
        EXPECT_FALSE(changedExport.empty());
        EXPECT_EQ(std::set<std::string>(exportWrites.begin(), exportWrites.end()), changedExport);
        EXPECT_EQ(exportWrites.size(), changedExport.size());  // none twice
        // The order rows are rewritten in place where they differ, or replaced whole.
        const std::set<std::string> orderWritten(orderWrites.begin(), orderWrites.end());
        if (orderWritten != changedOrder) {
            EXPECT_EQ(orderWritten, Replaced(before, after));
        }
        EXPECT_EQ(orderWrites.size(), orderWritten.size());
        project.AutoOrder();
        ASSERT_TRUE(IsOk(project.Save()));
        Exec(path, "DELETE FROM Writes");
        for (int again = 0; again < 2; ++again) {
            project.AutoOrder();
            ASSERT_TRUE(IsOk(project.Save()));
        }
        EXPECT_EQ(Writes(path), std::vector<std::string>{});
    }
}

TEST_F(ProjectTest, EditAndAppointWriteOnlyTheirRows) {
    // Seeded rows hold some values as other types than a save writes them.
    ASSERT_TRUE(IsOk(project.Save(Project::SaveMode::Overwrite)));
    LogWrites(path);
    DHPoint edited = Named(project, "Z1");
    edited.Code = "电杆";
    ASSERT_TRUE(IsOk(project.EditPoint(edited)));
    project.AppointJStakes({Named(project, "far").GPS_ID}, Named(project, "J1"), Named(project, "J2"));
    ASSERT_TRUE(IsOk(project.Save()));
    EXPECT_EQ(Writes(path), (std::vector<std::string>{"export UPDATE " + std::to_string(edited.ID),
                                                      "export UPDATE " + std::to_string(Named(project, "far").ID)}));
}

// A save stopped anywhere between its first and last write leaves both
// tables as they were, keeps the changes in memory, and can be repeated.
TEST_F(ProjectTest, FailedSaveLeavesBothTablesWhole) {
    struct Case {
        const char* name;
        std::function<void(Project&)> steps;
        std::string trigger;  // "<when> ON <table> [WHEN ...]"
    };
    const std::vector<Case> cases = {
        {"order rows rewritten in place", [](Project& p) { p.AutoOrder(); }, "BEFORE UPDATE ON Electric_DH_Order"},
        {"order rows replaced after a delete",
         [](Project& p) {
             Check(p.DeletePoints({Named(p, "Z1").GPS_ID}));
             p.AutoOrder();
         },
         "BEFORE INSERT ON Electric_DH_Order WHEN new.GPS_ID = '6_Line'"},
        {"the last export row", [](Project& p) { p.AutoOrder(); },
         "BEFORE UPDATE ON Electric_DH_Export WHEN new.ID = 6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(IsOk(project.ResetToSurvey()));
        c.steps(project);
        const std::vector<std::string> inMemory = Route(project.Points());
        Exec(path, "CREATE TRIGGER stop " + c.trigger + " BEGIN SELECT RAISE(ABORT, 'stopped here'); END");
        const auto tables = DumpWorkingTables(path);

        const Status saved = project.Save();
        EXPECT_EQ(saved.code(), Code::Failed);
        EXPECT_EQ(saved.message(), "保存失败：" + path + "（stopped here）");
        EXPECT_EQ(DumpWorkingTables(path), tables);
        EXPECT_TRUE(project.IsModified());
        EXPECT_EQ(Route(project.Points()), inMemory);

        Exec(path, "DROP TRIGGER stop");
        ASSERT_TRUE(IsOk(project.Save()));
        EXPECT_EQ(Route(StakeListOf(path)), inMemory);
    }
}

// The point operations write at once; a failed one leaves the file and the
// list as they were, and the next attempt goes through.
TEST_F(ProjectTest, FailedPointOperationsNameTheCauseAndChangeNothing) {
    struct Case {
        const char* trigger;
        std::function<Status(Project&)> operation;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"BEFORE UPDATE ON Electric_DH_Export",
         [](Project& p) {
             DHPoint edited = Named(p, "Z1");
             edited.NewPtName = "Z9";
             return p.EditPoint(edited);
         },
         "修改点失败（stopped here）"},
        {"BEFORE INSERT ON Electric_DH_Order", [](Project& p) { return p.AddPoint(NewPoint("N1"), 2); },
         "添加点失败（stopped here）"},
        {"BEFORE DELETE ON Electric_DH_Export",
         [](Project& p) { return p.DeletePoints({Named(p, "far").GPS_ID, Named(p, "J2").GPS_ID}); },
         "删除点失败（stopped here）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        ASSERT_TRUE(IsOk(project.ResetToSurvey()));
        const std::vector<std::string> inMemory = Route(project.Points());
        Exec(path, std::string("CREATE TRIGGER stop ") + c.trigger + " BEGIN SELECT RAISE(ABORT, 'stopped here'); END");
        const auto tables = DumpWorkingTables(path);
        const Status failed = c.operation(project);
        EXPECT_EQ(failed.code(), Code::Failed);
        EXPECT_EQ(failed.message(), c.message);
        EXPECT_EQ(DumpWorkingTables(path), tables);
        EXPECT_EQ(Route(project.Points()), inMemory);
        Exec(path, "DROP TRIGGER stop");
        ASSERT_TRUE(IsOk(c.operation(project)));
        ASSERT_TRUE(IsOk(project.Save()));  // a point added mid-route has its place stored by the save
        EXPECT_EQ(Route(StakeListOf(path)), Route(project.Points()));
    }
}

TEST_F(ProjectTest, FailedResetKeepsTablesAndList) {
    project.AutoOrder();
    ASSERT_TRUE(IsOk(project.Save()));
    const std::vector<std::string> inMemory = Route(project.Points());
    const auto tables = DumpWorkingTables(path);
    Exec(path, "DROP TABLE Point");
    const Status reset = project.ResetToSurvey();
    EXPECT_EQ(reset.message(), "重新加载数据失败（no such table: Point）");
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_EQ(Route(project.Points()), inMemory);
}

TEST_F(ProjectTest, NameInUseIsRefusedBeforeTheFile) {
    const auto tables = DumpWorkingTables(path);
    const Status added = project.AddPoint(NewPoint("J2"));
    EXPECT_EQ(added.message(), "不能存在相同点名");
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_EQ(project.Points().size(), 6u);
}

// Two programs on one file: the second save is refused whole until the
// user chooses to overwrite or to reload.
TEST_F(ProjectTest, SecondProjectsSaveIsAConflictUntilOverwriteOrReload) {
    Project other(reporter);
    ASSERT_TRUE(IsOk(other.Open(path)));
    other.AutoOrder();
    ASSERT_TRUE(IsOk(other.Save()));
    const auto othersTables = DumpWorkingTables(path);

    project.AppointJStakes({Named(project, "far").GPS_ID}, Named(project, "J2"), Named(project, "J3"));
    const std::vector<std::string> mine = Route(project.Points());
    const Status saved = project.Save();
    EXPECT_EQ(saved.code(), Code::Conflict);
    EXPECT_EQ(saved.message(), "工程文件已被其他程序修改：" + path);
    EXPECT_EQ(DumpWorkingTables(path), othersTables);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(Route(project.Points()), mine);

    ASSERT_TRUE(IsOk(project.Save(Project::SaveMode::Overwrite)));
    EXPECT_EQ(Route(StakeListOf(path)), mine);
    // Now the other one is behind: its edit is refused, a reload catches up.
    DHPoint edited = Named(other, "J1");
    edited.Code = "x";
    EXPECT_EQ(other.EditPoint(edited).code(), Code::Conflict);
    ASSERT_TRUE(IsOk(other.Reload()));
    EXPECT_EQ(Route(other.Points()), mine);
    EXPECT_TRUE(IsOk(other.EditPoint(edited)));
    EXPECT_TRUE(reporter.messages.empty());
}

// A line project of its own, in the given journal mode.
struct LineProject {
    explicit LineProject(const char* journal) {
        WriteLine(path);
        Exec(path, std::string("PRAGMA journal_mode=") + journal);
    }
    TempDir dir;
    std::string path = dir.File("Line.PD");
    RecordingReporter reporter;
    Project project{reporter};
};

// What another program writes decides, in either journal mode (write-ahead
// logging leaves the file's change counter alone), whether the project's
// next write is refused. A refused write changes neither file nor list.
TEST(ProjectConflicts, OnlyChangesToTheListsRowsConflict) {
    struct Write {
        const char* sql;
        bool conflict;
    };
    const std::vector<Write> writes = {
        {"UPDATE Electric_DH_Export SET NewPtName = 'X' WHERE ID = 2", true},
        {"UPDATE Electric_DH_Export SET Mileage = 1e-9 WHERE ID = 3", true},
        {"UPDATE Electric_DH_Order SET Order_NewPtName = 'X' WHERE Order_ID = 5", true},
        {"DELETE FROM Electric_DH_Order WHERE Order_ID = 6", true},
        {"DELETE FROM Electric_DH_Export WHERE ID = 6", true},
        {"UPDATE Point SET Name = 'other'", false},
        {"CREATE TABLE Notes (a)", false},
        {"UPDATE Electric_DH_Export SET NewPtName = NewPtName; CREATE TABLE Notes (a)", false},
        {"INSERT INTO Electric_DH_Export (GPS_ID) VALUES ('unlisted')", false},
    };
    const auto run = [](const std::string& op, Project& p) -> Status {
        if (op == "save") {
            p.AutoOrder();
            return p.Save();
        }
        if (op == "edit") {
            DHPoint edited = Named(p, "J1");
            edited.Code = "edited";
            return p.EditPoint(edited);
        }
        if (op == "add") return p.AddPoint(NewPoint("N1"));
        return p.DeletePoints({Named(p, "J3").GPS_ID});
    };
    for (const char* journal : {"DELETE", "WAL"}) {
        for (const Write& write : writes) {
            for (const char* op : {"save", "edit", "add", "delete"}) {
                SCOPED_TRACE(std::string(journal) + " / " + write.sql + " / " + op);
                LineProject line(journal);
                const std::string& path = line.path;
                Project& project = line.project;
                ASSERT_TRUE(IsOk(project.Open(path)));
                Exec(path, write.sql);
                const auto tables = DumpWorkingTables(path);
                const std::vector<std::string> before = Route(project.Points());
                const Status status = run(op, project);
                if (write.conflict) {
                    EXPECT_EQ(status.code(), Code::Conflict) << status.message();
                    EXPECT_EQ(status.message(), "工程文件已被其他程序修改：" + path);
                    EXPECT_EQ(DumpWorkingTables(path), tables);
                    if (std::string(op) != "save") {
                        EXPECT_EQ(Route(project.Points()), before);
                    }
                } else {
                    EXPECT_TRUE(IsOk(status));
                    // What the operation wrote is the project's own: a later write elsewhere
                    // by another program does not turn it into a conflict either.
                    Exec(path, "CREATE TABLE Later (a)");
                    project.AutoOrder();
                    EXPECT_TRUE(IsOk(project.Save()));
                    EXPECT_EQ(Route(StakeListOf(path)), Route(project.Points()));
                }
            }
        }
    }
}

// Values the tables cannot hold as given (a negative zero, not-a-number)
// are stored as SQLite stores them; the project's own write must not look
// like another program's change afterwards.
TEST(ProjectConflicts, ValuesStoredDifferentlyAreNoConflict) {
    const double values[] = {-0.0, -0.00001, std::numeric_limits<double>::quiet_NaN()};
    for (const char* journal : {"DELETE", "WAL"}) {
        for (double value : values) {
            SCOPED_TRACE(text::Format("%s %g", journal, value));
            LineProject line(journal);
            const std::string& path = line.path;
            Project& project = line.project;
            ASSERT_TRUE(IsOk(project.Open(path)));
            DHPoint edited = Named(project, "near");
            edited.Offset = value;
            ASSERT_TRUE(IsOk(project.EditPoint(edited)));
            project.AppointJStakes({Named(project, "far").GPS_ID}, Named(project, "J1"), Named(project, "J2"));
            EXPECT_TRUE(IsOk(project.Save()));
            // Another program, elsewhere in the file (a write that changes nothing leaves the file alone).
            Exec(path, "UPDATE Point SET Name = Name || '.'");
            DHPoint next = Named(project, "J1");
            next.Code = "next";
            EXPECT_TRUE(IsOk(project.EditPoint(next)));
            project.SortByMileage();
            EXPECT_TRUE(IsOk(project.Save()));
        }
    }
}

// Another program holding the write lock past the busy wait: the save
// fails with SQLite's reason, keeps the changes and succeeds once it is free.
TEST_F(ProjectTest, LockedFileFailsTheSaveWithTheCause) {
    project.AutoOrder();
    const auto tables = DumpWorkingTables(path);
    {
        SQLite::Database other(path, SQLite::OPEN_READWRITE);
        other.exec("BEGIN IMMEDIATE");
        const Status saved = project.Save();
        EXPECT_EQ(saved.code(), Code::Failed);
        EXPECT_EQ(saved.message(), "保存失败：" + path + "（database is locked）");
        other.exec("ROLLBACK");
    }
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_TRUE(project.IsModified());
    ASSERT_TRUE(IsOk(project.Save()));
    EXPECT_EQ(Route(StakeListOf(path)), Route(project.Points()));
}

TEST_F(ProjectTest, ReadOnlyFileOpensWithAWarningAndFailsTheSave) {
    if (!AsUserWhomModesStop::Possible()) GTEST_SKIP() << "no POSIX file modes";
    ReadOnlyMode(path, false);
    Project readOnly(reporter);
    {
        AsUserWhomModesStop user;
        ASSERT_TRUE(IsOk(readOnly.Open(path)));
    }
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"工程文件为只读，修改将无法保存：" + path});
    readOnly.AutoOrder();
    const auto tables = DumpWorkingTables(path);
    const Status saved = readOnly.Save();
    EXPECT_EQ(saved.message(), "工程文件为只读，修改将无法保存：" + path);
    EXPECT_EQ(DumpWorkingTables(path), tables);
}

}  // namespace
}  // namespace linvara::testing
