// Without the GB18030 converter, nothing is stored or written in another
// encoding: every operation fails and says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "output/result_kinds.h"
#include "output/result_writer.h"
#include "project/project.h"
#include "support/collector_fixture.h"
#include "support/missing_code_page.h"
#include "support/project_file.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::IsOk;
using testing::Point;

constexpr const char* kCause = "无法打开编码转换";

bool NamesTheConverter(const std::string& message) { return message.find(kCause) != std::string::npos; }

TEST(MissingConverter, OpenSaveAndResultFilesFailWithTheCause) {
    testing::TempDir dir;
    const std::string path = dir.File("p.PD");
    testing::WriteCollectorProject(path, {Point("g1", "转角J1", JStake, 0, 0), Point("g2", "J2", JStake, 0, 100)});
    const std::string before = testing::ReadFileBytes(path);
    SilentReporter silent;
    {
        testing::MissingCodePage missing;
        Project project(silent);
        const Status opened = project.Open(path);
        EXPECT_FALSE(opened);
        EXPECT_TRUE(NamesTheConverter(opened.message())) << opened.message();
    }
    EXPECT_EQ(testing::ReadFileBytes(path), before) << "no half-seeded tables";

    Project project(silent);
    ASSERT_TRUE(IsOk(project.Open(path)));
    project.AutoOrder();
    testing::RecordingReporter reporter;
    {
        testing::MissingCodePage missing;
        const Status saved = project.Save();
        EXPECT_FALSE(saved);
        EXPECT_TRUE(NamesTheConverter(saved.message())) << saved.message();
        const std::string out = dir.File("list.dat");
        EXPECT_FALSE(testing::Reported(WriteResultFile(project.Points(), out, 0, reporter), reporter));
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    ASSERT_EQ(reporter.Texts().size(), 1u);
    EXPECT_TRUE(NamesTheConverter(reporter.Texts()[0])) << reporter.Texts()[0];
    EXPECT_TRUE(IsOk(project.Save())) << "the list waited in memory";
}

}  // namespace
}  // namespace linvara
