// The steps undo and redo are built from: every one stores the list it
// leaves in one transaction, and stepping back leaves both working tables
// byte for byte as they were, deleted rows with their own IDs.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "project/list_delta.h"
#include "project/project.h"
#include "support/file_triggers.h"
#include "support/named_point.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

std::vector<std::string> Names(const DHPointList& list) {
    std::vector<std::string> names;
    for (const DHPoint& p : list) names.push_back(p.NewPtName + "#" + std::to_string(p.ID));
    return names;
}

// A command as undo keeps it: doing it once, then undoing and redoing.
struct Steps {
    std::function<void(Project&)> run;
    std::function<void(Project&)> undo;
    std::function<void(Project&)> redo;
    std::function<void(Project&)> prepare = [](Project&) {};  // the state the command starts from
};

struct Case {
    const char* name;
    std::function<Steps()> make;  // fresh state per case
};

std::vector<Case> Cases() {
    return {
        {"delete the first and the last point",
         [] {
             auto removed = std::make_shared<RemovedPoints>();
             const auto remove = [removed](Project& p) {
                 *removed = {};
                 ASSERT_TRUE(IsOk(p.DeletePoints({Named(p, "J3").GPS_ID, Named(p, "J1").GPS_ID}, removed.get())));
             };
             return Steps{remove, [removed](Project& p) { ASSERT_TRUE(IsOk(p.RestorePoints(*removed))); }, remove};
         }},
        {"add in the middle",
         [] {
             auto removed = std::make_shared<RemovedPoints>();
             DHPoint n1;
             n1.GPS_ID = "new-N1";
             n1.NewPtName = n1.OrgPtName = "N1";
             n1.DHType = ZStake;
             return Steps{[n1](Project& p) { ASSERT_TRUE(IsOk(p.AddPoint(n1, 2))); },
                          [removed](Project& p) { ASSERT_TRUE(IsOk(p.DeletePoints({"new-N1"}, removed.get()))); },
                          [removed](Project& p) { ASSERT_TRUE(IsOk(p.RestorePoints(*removed))); }};
         }},
        {"automatic order",
         [] {
             auto delta = std::make_shared<ListDelta>();
             return Steps{[delta](Project& p) {
                              const DHPointList before = p.Points();
                              p.AutoOrder();
                              ASSERT_TRUE(IsOk(p.Save()));
                              *delta = ListDelta::Between(before, p.Points());
                              ASSERT_FALSE(delta->IsEmpty());
                          },
                          [delta](Project& p) { ASSERT_TRUE(IsOk(p.RestoreList(*delta->Before(p.Points())))); },
                          [delta](Project& p) { ASSERT_TRUE(IsOk(p.RestoreList(*delta->After(p.Points())))); }};
         }},
        {"reset after a delete and an edit",
         [] {
             auto backup = std::make_shared<ListBackup>();
             return Steps{[backup](Project& p) { ASSERT_TRUE(IsOk(p.ResetToSurvey(*backup))); },
                          [backup](Project& p) { ASSERT_TRUE(IsOk(p.RestoreBackup(*backup))); },
                          [backup](Project& p) { ASSERT_TRUE(IsOk(p.ResetToSurvey(*backup))); },
                          [](Project& p) {
                              ASSERT_TRUE(IsOk(p.DeletePoints({Named(p, "Z1").GPS_ID})));
                              DHPoint j2 = Named(p, "J2");
                              j2.Code = "edited";
                              ASSERT_TRUE(IsOk(p.EditPoint(j2)));
                          }};
         }},
    };
}

TEST(UndoSteps, EachStepStoresItsListAndStepsBackByteForByte) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("Line.PD");
        WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "far", 2, 290, 700),
                                     Surveyed("3", "near", 4, 30.16, 39.88), Surveyed("4", "J2", 0, 300, 400),
                                     Surveyed("5", "Z1", 1, 150, 200), Surveyed("6", "J3", 0, 300, 1000)});
        RecordingReporter reporter;
        Project project(reporter);
        ASSERT_TRUE(IsOk(project.Open(path)));
        ASSERT_TRUE(IsOk(project.Save()));  // rows stored as a save stores them
        const Steps steps = c.make();
        steps.prepare(project);
        const auto tablesBefore = DumpWorkingTables(path);
        const auto listBefore = Names(project.Points());

        steps.run(project);
        EXPECT_FALSE(project.IsModified());
        const auto tablesAfter = DumpWorkingTables(path);
        const auto listAfter = Names(project.Points());
        EXPECT_EQ(Names(StakeListOf(path)), listAfter);
        EXPECT_NE(tablesAfter, tablesBefore);

        steps.undo(project);
        EXPECT_EQ(Names(project.Points()), listBefore);
        EXPECT_EQ(DumpWorkingTables(path), tablesBefore);

        steps.redo(project);
        EXPECT_EQ(Names(project.Points()), listAfter);
        EXPECT_EQ(Names(StakeListOf(path)), listAfter);
        EXPECT_FALSE(project.IsModified());
    }
}

// A small line open in a Project.
class UndoStepsOn : public ::testing::Test {
protected:
    void Open(const std::vector<CollectorPoint>& points, const std::string& name = "Line.PD") {
        path = dir.File(name);
        WriteCollectorProject(path, points);
        ASSERT_TRUE(IsOk(project.Open(path)));
    }
    void SetUp() override {
        Open({Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "Z1", 1, 150, 200), Surveyed("3", "J2", 0, 300, 400)});
    }

    FileTriggersRun triggers;  // a failed restore is made with a trigger
    TempDir dir;
    std::string path;
    RecordingReporter reporter;
    Project project{reporter};
};

// A restored row comes back as it was stored, also where a save would
// store it otherwise (a number the collector kept as text).
TEST_F(UndoStepsOn, RestoredRowKeepsItsStoredBytes) {
    ASSERT_TRUE(IsOk(project.Save()));
    Exec(path, "UPDATE Electric_DH_Export SET Dh='12.50', Note=x'C4E3' WHERE NewPtName='Z1'");
    ASSERT_TRUE(IsOk(project.Reload()));
    const auto tablesBefore = DumpWorkingTables(path);
    RemovedPoints removed;
    ASSERT_TRUE(IsOk(project.DeletePoints({project.Points()[1].GPS_ID}, &removed)));
    ASSERT_TRUE(IsOk(project.RestorePoints(removed)));
    EXPECT_EQ(DumpWorkingTables(path), tablesBefore);
}

// A failed restore leaves the file and the list as they were.
TEST_F(UndoStepsOn, FailedRestoreChangesNothing) {
    RemovedPoints removed;
    ASSERT_TRUE(IsOk(project.DeletePoints({project.Points()[1].GPS_ID}, &removed)));
    Exec(path, "CREATE TRIGGER stop BEFORE INSERT ON Electric_DH_Order BEGIN SELECT RAISE(ABORT, 'stopped'); END");
    const auto tables = DumpWorkingTables(path);
    const auto list = Names(project.Points());
    const Status restored = project.RestorePoints(removed);
    EXPECT_EQ(restored.message(), "添加点失败（stopped）");
    EXPECT_EQ(DumpWorkingTables(path), tables);
    EXPECT_EQ(Names(project.Points()), list);
}

TEST_F(UndoStepsOn, NamesThatCannotBeRightAreRefused) {
    const auto tables = DumpWorkingTables(path);
    DHPoint empty;
    empty.GPS_ID = "new";
    EXPECT_EQ(project.AddPoint(empty).message(), "点名不能为空");
    DHPoint j2 = project.Points()[2];
    j2.NewPtName = "J1";
    EXPECT_EQ(project.EditPoint(j2).message(), "不能存在相同点名");
    j2.NewPtName = "";
    EXPECT_EQ(project.EditPoint(j2).message(), "点名不能为空");
    EXPECT_EQ(DumpWorkingTables(path), tables);
    j2 = project.Points()[2];
    j2.Code = "kept name";  // its own name is no conflict
    EXPECT_TRUE(IsOk(project.EditPoint(j2)));
}

TEST_F(UndoStepsOn, AppointingLeavesJStakesAsTheyAre) {
    Open({Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "Z1", 1, 150, 230), Surveyed("3", "J2", 0, 300, 400),
          Surveyed("4", "J3", 0, 300, 1000)},
         "Route.PD");
    project.AutoOrder();
    const DHPoint j3 = project.Points()[3];
    project.AppointJStakes({project.Points()[1].GPS_ID, j3.GPS_ID}, project.Points()[0], project.Points()[2]);
    EXPECT_EQ(project.Points()[3].Offset, j3.Offset);
    EXPECT_EQ(project.Points()[3].StartJ, j3.StartJ);
    EXPECT_EQ(project.Points()[1].StartJ, "J1");
}

}  // namespace
}  // namespace linvara::testing
