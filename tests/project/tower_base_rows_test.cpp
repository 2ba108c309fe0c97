// The open project's tower-base rows, the one read the check, the merge and
// the workbook share: texts as stored, in table order, and failures named.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "project/project.h"
#include "support/collector_fixture.h"
#include "support/named_point.h"
#include "support/permissions.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/file_system.h"

namespace linvara::testing {
namespace {

TEST(ProjectTowerBaseRows, RowsAsStoredOrNoneOrTheCause) {
    CollectorTowerRow second;
    second.name = "塔2";
    second.code = "地\n面";
    second.pegName = "\xD6\xD0";  // GB18030 bytes, left as they are
    second.subIndex = 3;
    second.h = 12.5;
    second.midh = 10;
    struct Case {
        const char* what;
        std::function<void(const std::string&)> before;  // after the project is written, before it opens
        std::function<void(const std::string&)> after;   // after it opened
        std::vector<std::string> names;
        std::string failure;  // with "<path>" for the project
    } cases[] = {
        {"as stored", nullptr, nullptr, {"塔1", "塔2"}, ""},
        {"no table", [](const std::string& p) { Exec(p, "DROP TABLE Electric_Data_TG"); }, nullptr, {}, ""},
        {"read-only", [](const std::string& p) { ReadOnlyMode(p, false); }, nullptr, {"塔1", "塔2"}, ""},
        {"gone", nullptr, [](const std::string& p) { std::filesystem::remove(text::FsPath(p)); }, {},
         "查找记录出错!（文件不存在：<path>）"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("P.PD");
        CollectorTowerRow first;
        first.name = "塔1";
        WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0)}, {first, second});
        if (c.before) c.before(path);
        SilentReporter silent;
        Project project(silent);
        std::vector<TGDataUnit> rows(1);
        Status read = Status::Ok();
        {
            std::optional<AsUserWhomModesStop> user;
            if (c.before && !c.names.empty()) user.emplace();  // the read-only file stops this process
            ASSERT_TRUE(IsOk(project.Open(path))) << c.what;
            if (user && AsUserWhomModesStop::Possible()) EXPECT_FALSE(project.ReadOnlyReason().empty());
            if (c.after) c.after(path);
            read = project.TowerBaseRows(rows);
        }
        WritableMode(path, false);
        std::string failure = c.failure;
        if (const auto at = failure.find("<path>"); at != std::string::npos) failure.replace(at, 6, path);
        EXPECT_EQ(read.message(), failure) << c.what;
        std::vector<std::string> names;
        for (const TGDataUnit& row : rows) names.push_back(row.Name);
        EXPECT_EQ(names, c.names) << c.what;
        if (names.size() == 2) {
            EXPECT_EQ(rows[1].Code, "地\n面") << c.what;
            EXPECT_EQ(rows[1].PegName, "\xD6\xD0") << c.what;
            EXPECT_EQ(rows[1].SubIndex, 3) << c.what;
            EXPECT_EQ(rows[1].HDiff, 2.5) << c.what;
        }
    }
}

}  // namespace
}  // namespace linvara::testing
