// The conversion options a project keeps in its file: they come back when it
// is opened again, steer ordering, leave the stake list alone and hide no
// other program's change; a project without them opens with the defaults given.
#include <gtest/gtest.h>

#include "project/project.h"
#include "support/collector_fixture.h"
#include "support/named_point.h"
#include "support/permissions.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/table_dump.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

class ProjectOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "Z1", 1, 150, 200),
                                     Surveyed("3", "J2", 0, 300, 400)});
        chosen.StartMileage = 1000;
        chosen.UseStartName = 1;
        chosen.StartName = "名7";
        chosen.UseOffsetRange = 1;
        chosen.OffsetRange = 0.25;
    }
    static bool Same(const ConversionOptions& a, const ConversionOptions& b) {
        return a.StartMileage == b.StartMileage && a.UseStartName == b.UseStartName && a.StartName == b.StartName &&
               a.UseOffsetRange == b.UseOffsetRange && a.OffsetRange == b.OffsetRange;
    }

    TempDir dir;
    std::string path = dir.File("Line.PD");
    RecordingReporter reporter;
    ConversionOptions chosen;
};

TEST_F(ProjectOptionsTest, StoredOptionsComeBackAndOthersOpenWithTheDefaults) {
    ConversionOptions defaults;
    defaults.StartMileage = 7;
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path, defaults)));
    EXPECT_TRUE(Same(project.Options(), defaults));
    const auto tables = DumpWorkingTables(path);
    ASSERT_TRUE(IsOk(project.StoreOptions(chosen)));
    EXPECT_TRUE(Same(project.Options(), chosen));
    EXPECT_EQ(DumpWorkingTables(path), tables);  // the list is not touched
    EXPECT_FALSE(project.IsModified());

    Project again(reporter);
    ASSERT_TRUE(IsOk(again.Open(path, defaults)));
    EXPECT_TRUE(Same(again.Options(), chosen));
    again.AutoOrder();
    EXPECT_EQ(again.Points().front().Mileage, 1000.0);
    EXPECT_TRUE(IsOk(again.Save()));
    EXPECT_TRUE(reporter.messages.empty());
}

// Storing options tells nothing about the list: a change another program
// made before is still met by the next save.
TEST_F(ProjectOptionsTest, StoringOptionsHidesNoOtherProgramsChange) {
    Project project(reporter);
    ASSERT_TRUE(IsOk(project.Open(path)));
    {
        SilentReporter silent;
        Project other(silent);
        ASSERT_TRUE(IsOk(other.Open(path)));
        DHPoint z1 = other.Points()[1];
        z1.Code = "other";
        ASSERT_TRUE(IsOk(other.EditPoint(z1)));
    }
    ASSERT_TRUE(IsOk(project.StoreOptions(chosen)));
    project.AutoOrder();
    EXPECT_EQ(project.Save().code(), Status::Code::Conflict);
}

// Options stored otherwise than this program stores them: odd values are
// read as well as they can be, a table of another shape is passed over with
// a warning and the defaults.
TEST_F(ProjectOptionsTest, ForeignOptionsTablesAreReadSafely) {
    struct Case {
        const char* table;
        const char* row;
        double mileage;
        std::string name;
        std::vector<std::string> said;
    } cases[] = {
        {"CREATE TABLE Linvara_Options (ID INTEGER PRIMARY KEY, StartMileage, UseStartName, StartName, "
         "UseOffsetRange, OffsetRange)",
         "INSERT INTO Linvara_Options VALUES (1, '12.5', 9, x'FF41', 'yes', NULL)", 12.5, "\xEF\xBF\xBD" "A", {}},
        {"CREATE TABLE Linvara_Options (ID INTEGER PRIMARY KEY, Mileage DOUBLE)",
         "INSERT INTO Linvara_Options VALUES (1, 5)", 0, "1", {"读取设置选项失败（no such column: StartMileage）"}},
        {"CREATE TABLE Linvara_Options (ID INTEGER PRIMARY KEY, StartMileage, UseStartName, StartName, "
         "UseOffsetRange, OffsetRange)",
         "INSERT INTO Linvara_Options VALUES (2, 5, 0, 'x', 0, 0)", 0, "1", {}},
    };
    for (const Case& c : cases) {
        TempDir here;
        const std::string file = here.File("P.PD");
        WriteCollectorProject(file, {Surveyed("1", "J1", 0, 0, 0)});
        Exec(file, c.table);
        Exec(file, c.row);
        RecordingReporter said;
        Project project(said);
        ASSERT_TRUE(IsOk(project.Open(file))) << c.table;
        EXPECT_EQ(project.Options().StartMileage, c.mileage) << c.row;
        EXPECT_EQ(project.Options().StartName, c.name) << c.row;
        EXPECT_EQ(said.Texts(), c.said) << c.row;
    }
}

TEST_F(ProjectOptionsTest, ReadOnlyProjectKeepsItsOptions) {
    if (!AsUserWhomModesStop::Possible()) GTEST_SKIP() << "no POSIX file modes";
    Project project(reporter);
    ReadOnlyMode(path, false);
    {
        AsUserWhomModesStop user;
        ASSERT_TRUE(IsOk(project.Open(path)));
        const Status stored = project.StoreOptions(chosen);
        EXPECT_EQ(stored.message(), "工程文件为只读，修改将无法保存：" + path);
    }
    WritableMode(path, false);
    EXPECT_TRUE(Same(project.Options(), ConversionOptions{}));
    EXPECT_FALSE(SQLite::Database(path).tableExists("Linvara_Options"));
}

}  // namespace
}  // namespace linvara::testing
