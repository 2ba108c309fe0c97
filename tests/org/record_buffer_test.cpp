#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "org/org_record_builder.h"
#include "org/record_buffer.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using Strings = std::vector<std::string>;

// Each step appends "r<n>" (n counting appends), drops the last record or
// vacates the record at an index; then vacated records are removed.
struct Step {
    char op;  // 'a' append, 'd' drop last, 'v' vacate
    std::size_t index = 0;
};

struct BufferCase {
    const char* name;
    std::vector<Step> steps;
    Strings before;  // Lines() before the removal: vacated records read empty
    Strings after;
};

TEST(RecordBuffer, DropVacateAndRemoveKeepTheOtherRecordsInOrder) {
    const BufferCase cases[] = {
        {"drop on empty", {{'d'}, {'a'}}, {"r1"}, {"r1"}},
        {"vacate in the middle", {{'a'}, {'a'}, {'a'}, {'v', 1}}, {"r1", "", "r3"}, {"r1", "r3"}},
        {"vacate twice", {{'a'}, {'a'}, {'v', 0}, {'v', 0}}, {"", "r2"}, {"r2"}},
        {"vacate out of range", {{'a'}, {'v', 5}}, {"r1"}, {"r1"}},
        // The index of a dropped vacated record is taken by the next append,
        // which stays.
        {"drop a vacated last record", {{'a'}, {'a'}, {'v', 1}, {'d'}, {'a'}}, {"r1", "r3"}, {"r1", "r3"}},
        {"drop two, vacate first", {{'a'}, {'a'}, {'a'}, {'d'}, {'d'}, {'v', 0}, {'a'}}, {"", "r4"}, {"r4"}},
        {"vacate all", {{'a'}, {'a'}, {'v', 1}, {'v', 0}}, {"", ""}, {}},
    };
    for (const BufferCase& c : cases) {
        RecordBuffer b;
        int n = 0;
        for (const Step& s : c.steps) {
            if (s.op == 'a') b.Append("r" + std::to_string(++n));
            if (s.op == 'd') b.DropLast();
            if (s.op == 'v') b.Vacate(s.index);
        }
        EXPECT_EQ(b.Lines(), c.before) << c.name;
        b.RemoveVacated();
        EXPECT_EQ(b.Lines(), c.after) << c.name;
        std::string text;
        for (const std::string& line : c.after) text += line + "\n";
        EXPECT_EQ(b.Text(), text) << c.name;
    }
}

TEST(RecordBuffer, ARecordIsItsLineEvenWithALineFeedInside) {
    RecordBuffer b;
    b.Append("b,a\nb,1");  // a name holding a line feed stays one record
    b.Append("c\n");
    b.Append("");
    EXPECT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0], "b,a\nb,1\n");
    EXPECT_EQ(b[1], "c\n");
    EXPECT_EQ(b[2], "\n");
    b.Vacate(0);
    b.RemoveVacated();
    EXPECT_EQ(b.Text(), "c\n\n");
}

TEST(RecordBuffer, TheFileLeavesOutVacatedRecords) {
    struct Case {
        std::vector<std::size_t> vacate;
        std::string file;
    };
    const Case cases[] = {
        {{}, "a\r\nb\r\nc\r\nd\r\nt\r\n"},
        {{1}, "a\r\nc\r\nd\r\nt\r\n"},
        {{2, 1}, "a\r\nd\r\nt\r\n"},
        {{0, 3}, "b\r\nc\r\nt\r\n"},
        {{0, 1, 2, 3}, "t\r\n"},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        RecordBuffer main, trailer;
        for (const char* line : {"a", "b", "c", "d"}) main.Append(line);
        trailer.Append("t");
        for (std::size_t at : c.vacate) main.Vacate(at);
        const std::string path = dir.File("vacated.org");
        ASSERT_TRUE(WriteOrgRecords(path, main, trailer));
        EXPECT_EQ(testing::ReadFileBytes(path), c.file) << c.vacate.size() << " vacated";
    }
}

// The file is converted in pieces of about a megabyte: pieces end after a line
// feed, so multi-byte and invalid characters come out as from the whole text.
TEST(RecordBuffer, FileWrittenInPiecesEqualsTheWholeTextConverted) {
    testing::TempDir dir;
    RecordBuffer main, trailer;
    for (int i = 0; i < 100000; ++i) {
        std::string line = "b," + std::to_string(i) + ",转角桩,房屋";
        if (i % 997 == 0) line += "\xE8";  // cut short: invalid UTF-8 before the line feed
        main.Append(line);
    }
    trailer.Append("c,1,2,0,11");
    ASSERT_GT(main.Text().size(), 2u << 20);
    const std::string path = dir.File("pieces.org");
    ASSERT_TRUE(WriteOrgRecords(path, main, trailer));
    const std::string whole = std::string(main.Text()) + std::string(trailer.Text());
    EXPECT_EQ(testing::ReadFileBytes(path), text::ToGbkTextFile(whole));
}

}  // namespace
}  // namespace linvara
