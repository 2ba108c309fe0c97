#include "text/file_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "text/encoding.h"
#include "text/record_file.h"

namespace linvara::text {
namespace {

TEST(FileName, DropLastCharsCountsCharactersNotBytes) {
    struct Case {
        const char* text;
        std::size_t count;
        const char* want;
    } cases[] = {
        {"line.org", 4, "line"},
        {"线路成果", 3, "线"},           // three bytes per character
        {"a\xF0\x9F\x98\x80.x", 3, "a"},  // a character beyond the BMP is one, not two
        {"ab", 3, ""},                    // fewer characters than asked
        {"", 4, ""},
        {"abc", 0, "abc"},
        {"ab\x80", 1, "a"},               // a stray continuation byte goes with the character before it
    };
    for (const Case& c : cases) EXPECT_EQ(DropLastChars(c.text, c.count), c.want) << c.text << " - " << c.count;
}

// Output names (ORG, tower base, TOW) replace the extension of the name the
// user gave, never a fixed count of characters.
TEST(FileName, WithExtensionReplacesTheExtensionOfTheFileName) {
    struct Case {
        const char* path;
        const char* extension;
        const char* want;
    } cases[] = {
        {"out/line.org", ".org", "out/line.org"},
        {"out/line.ORG", ".org", "out/line.org"},
        {"route.db", ".org", "route.org"},
        {"x.PD", ".org", "x.org"},
        {"tb/x.PD", "", "tb/x"},
        {"D:\\jobs\\线路.PD", ".tow", "D:\\jobs\\线路.tow"},
        {"/data.v2/noext", ".org", "/data.v2/noext.org"},  // a dot in a folder name is not the extension
        {"/data/.hidden", ".org", "/data/.hidden.org"},     // nor the dot that starts a name
        {"a.b.c", ".org", "a.b.org"},
        {"x", ".tow", "x.tow"},
    };
    for (const Case& c : cases) EXPECT_EQ(WithExtension(c.path, c.extension), c.want) << c.path;
}

TEST(FileName, SplitAtTheLastSlashOfEitherKindAndTheLastDot) {
    struct Case {
        const char* path;
        const char* stem;
        const char* extension;
    } cases[] = {
        {"D:\\jobs\\West.PD", "West", ".PD"},
        {"/data/线路.v2.PD", "线路.v2", ".PD"},
        {"/data/noext", "noext", ""},
        {"/data.v2/noext", "noext", ""},  // a dot in a folder name is not the extension
        {"/data/.PD", "", ".PD"},
        {"/data/name.", "name", "."},
        {"plain.kml", "plain", ".kml"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const FileNameParts parts = SplitFileName(c.path);
        EXPECT_EQ(parts.stem, c.stem) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
        EXPECT_EQ(FileStem(c.path), c.stem) << c.path;
    }
}

TEST(FileName, DataMadeSafeForAFileName) {
    struct Case {
        std::string text;
        std::string want;
    } cases[] = {
        {"Z1", "Z1"},
        {"塔5+20.5", "塔5+20.5"},
        {"x/../../escaped", "x_.._.._escaped"},
        {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
        {std::string("t\tab\r\n\x7F") + '\0' + "z", "t_ab____z"},
        {".", "_"},
        {"..", "_"},
        {"...", "..."},  // only a whole "." or ".." names a folder
        {".z", ".z"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(SafeFileNamePart(c.text), c.want) << c.text;
}

TEST(RecordFile, BlocksInOrderAsGbkWithCrLf) {
    testing::TempDir dir;
    const std::string path = dir.File("r.org");
    const std::vector<std::string> main = {"b,中桩,1\n", "c,2\n"};
    const std::vector<std::string> trailer = {"m,3\n"};
    ASSERT_TRUE(WriteRecordFile(path, {main, {}, trailer}));
    EXPECT_EQ(testing::ReadFileBytes(path), Utf8ToGb18030("b,中桩,1\r\nc,2\r\nm,3\r\n"));
}

TEST(RecordFile, AFailedWriteKeepsTheOldFile) {
    testing::TempDir dir;
    const std::string path = dir.File("r.INI");
    ASSERT_TRUE(WriteGbkTextFile(path, "old\n"));
    std::filesystem::create_directory(dir.File("sub"));
    EXPECT_FALSE(WriteGbkTextFile(dir.File("sub"), "x\n"));  // a folder stands at the path
    EXPECT_FALSE(WriteGbkTextFile(dir.File("missing/r.INI"), "x\n"));
    EXPECT_EQ(testing::ReadFileBytes(path), "old\r\n");
}

}  // namespace
}  // namespace linvara::text
