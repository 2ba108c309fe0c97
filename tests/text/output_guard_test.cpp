#include "text/output_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace linvara::text {
namespace {

using testing::TempDir;

// An output is the project when it is the same file by any name: another
// spelling, a symbolic link, a hard link. A file that does not exist yet, or
// another file, is no project.
TEST(OutputGuard, TheSameFileUnderAnyName) {
    TempDir dir;
    testing::WriteFileBytes(dir.File("p.PD"), "survey");
    testing::WriteFileBytes(dir.File("other.PD"), "survey");
    std::filesystem::create_directory(dir.path() / "sub");
    std::error_code linkError;
    std::filesystem::create_symlink(dir.path() / "p.PD", dir.path() / "link.PD", linkError);
    std::filesystem::create_hard_link(dir.path() / "p.PD", dir.path() / "hard.PD", linkError);
    const std::string project = dir.File("p.PD");
    struct Case {
        std::string output;
        bool refused;
    } cases[] = {
        {project, true},
        {dir.File("sub/../p.PD"), true},
        {dir.File("./p.PD"), true},
        {dir.File("link.PD"), std::filesystem::exists(dir.path() / "link.PD")},
        {dir.File("hard.PD"), std::filesystem::exists(dir.path() / "hard.PD")},
        {dir.File("other.PD"), false},
        {dir.File("p.org"), false},  // not there yet
        {"", false},
    };
    for (const Case& c : cases) {
        const Status status = RefuseOutputOverProject(c.output, {dir.File("none.PD"), project});
        EXPECT_EQ(!status, c.refused) << c.output;
        if (c.refused) {
            EXPECT_EQ(status.message(), "输出文件不能是工程文件本身：" + project) << c.output;
        }
    }
    EXPECT_EQ(RefuseOutputOverInput(dir.File("./p.PD"), project).message(), "输出文件不能是导入文件本身：" + project);
    EXPECT_TRUE(RefuseOutputOverInput(dir.File("other.PD"), project).ok());
}

}  // namespace
}  // namespace linvara::text
