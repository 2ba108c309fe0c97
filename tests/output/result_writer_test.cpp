#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "output/result_writer.h"
#include "support/recording_reporter.h"
#include "support/survey_points.h"
#include "support/temp_dir.h"
#include "text/encoding.h"

namespace linvara {
namespace {

using testing::PlanePoint;
using testing::ReadFileBytes;
using testing::RecordingReporter;
using testing::TempDir;

constexpr const char* kCannotCreate = "新建成果文件出错：";
constexpr const char* kNoPath = "请先选择成果文件的保存路径";

// Every DXF starts by declaring R12 and the GBK code page of its names.
const std::string kDxfHeader =
    " 0\r\nSECTION\r\n 2\r\nHEADER\r\n 9\r\n$ACADVER\r\n 1\r\nAC1009\r\n"
    " 9\r\n$DWGCODEPAGE\r\n 3\r\nANSI_936\r\n 0\r\nENDSEC\r\n";

// A J stake, an auxiliary point with a Chinese name and a Z stake.
DHPointList ThreePoints() {
    return {PlanePoint("P1", JStake, 100, 200, 5, "C1"), PlanePoint("辅1", AuxPoint, 110.5, 210.25, 6.125, "C2"),
            PlanePoint("Z1", ZStake, 120, 220, 7)};
}

struct Written {
    std::string bytes;
    RecordingReporter reporter;
    bool ok = false;
    std::string done;  // the closing message, naming the file
};

void Write(const DHPointList& list, int kind, Written& w) {
    TempDir dir;
    const std::string path = dir.File("out.dat");
    w.ok = testing::Reported(WriteResultFile(list, path, kind, w.reporter), w.reporter);
    w.bytes = ReadFileBytes(path);
    w.done = "转换成功!已写入：" + path;
}

TEST(ResultWriter, LineKinds) {
    struct Case {
        int kind;
        const char* text;  // decoded from GBK
    } cases[] = {
        {0, "P1,C1,200.0000,100.0000,5.0000\r\n辅1,C2,210.2500,110.5000,6.1250\r\nZ1,,220.0000,120.0000,7.0000\r\n"},
        {1, "P1 C1 200.0000 100.0000 5.0000\r\n辅1 C2 210.2500 110.5000 6.1250\r\nZ1  220.0000 120.0000 7.0000\r\n"},
        {2, "P1,C1,100.0000,200.0000,5.0000\r\n辅1,C2,110.5000,210.2500,6.1250\r\nZ1,,120.0000,220.0000,7.0000\r\n"},
        {3, "P1 C1 100.0000 200.0000 5.0000\r\n辅1 C2 110.5000 210.2500 6.1250\r\nZ1  120.0000 220.0000 7.0000\r\n"},
        {4, "P1,100.0000,200.0000,5.0000,C1\r\n辅1,110.5000,210.2500,6.1250,C2\r\nZ1,120.0000,220.0000,7.0000,\r\n"},
        {5, "P1 100.0000 200.0000 5.0000 C1\r\n辅1 110.5000 210.2500 6.1250 C2\r\nZ1 120.0000 220.0000 7.0000 \r\n"},
        {7, "1,P1,C1,200.0000,100.0000,5.0000\r\n2,辅1,C2,210.2500,110.5000,6.1250\r\n"
            "3,Z1,,220.0000,120.0000,7.0000\r\n"},
        {9, "P1,C1,100.0000,200.0000,5.0000\r\nZ1,,120.0000,220.0000,7.0000\r\n"},
        {10, "P1,C1,200.0000,100.0000,5.0000\r\nZ1,,220.0000,120.0000,7.0000\r\n"},
    };
    for (const Case& c : cases) {
        Written w;
        Write(ThreePoints(), c.kind, w);
        EXPECT_TRUE(w.ok);
        EXPECT_EQ(text::Gb18030ToUtf8(w.bytes), c.text) << "kind " << c.kind;
        EXPECT_EQ(w.reporter.Texts(), std::vector<std::string>{w.done}) << "kind " << c.kind;
    }
}

TEST(ResultWriter, TextIsGbkEncoded) {
    Written w;
    Write(ThreePoints(), 0, w);
    EXPECT_NE(w.bytes.find("\xB8\xA8" "1,C2,"), std::string::npos);  // GBK of 辅
}

TEST(ResultWriter, StakeTableAnglesSpansAndMileage) {
    DHPointList list = {PlanePoint("J1", JStake, 0, 0), PlanePoint("A", AuxPoint, 50, 30),
                        PlanePoint("J2", JStake, 100, 0), PlanePoint("J3", JStake, 200, 100)};
    const double mileage[] = {0, 50, 100, 241.42136};
    for (size_t i = 0; i < list.size(); ++i) list[i].Mileage = mileage[i];
    Written w;
    Write(list, 8, w);
    EXPECT_EQ(text::Gb18030ToUtf8(w.bytes),
              "点名,编码,x,y,h,转角(度.分秒),档距,里程,\r\n"
              "J1,,0.0000,0.0000,0.0000,右0.00000000,0,0.0000,\r\n"
              "A,,50.0000,30.0000,0.0000,,58.310,50.0000,\r\n"
              "J2,,100.0000,0.0000,0.0000,右45.00000000,58.310,100.0000,\r\n"
              "J3,,200.0000,100.0000,0.0000,右0.00000000,141.421,241.4214,\r\n");
}

// Turns at the middle J stake of three; azimuths wrap through north.
TEST(ResultWriter, TurningAngleText) {
    struct Case {
        double n1, e1, n2, e2, n3, e3;
        const char* angle;
    } cases[] = {
        {0, 0, 100, 0, 186.60254037844386, -50, "左30.00000000"},
        {0, 0, 100, 0, 200, 50, "右26.33541842"},  // 26°33'54.18"
        {0, 0, 100, -100, 200, 0, "右90.00000000"},  // 315° then 45°
        {0, 0, 100, 100, 200, 0, "左90.00000000"},   // 45° then 315°
        {0, 0, 100, 0, 200, 0, "右0.00000000"},
    };
    for (const Case& c : cases) {
        DHPointList list = {PlanePoint("J1", JStake, c.n1, c.e1), PlanePoint("J2", JStake, c.n2, c.e2),
                            PlanePoint("J3", JStake, c.n3, c.e3)};
        Written w;
        Write(list, 8, w);
        const std::string text = text::Gb18030ToUtf8(w.bytes);
        EXPECT_NE(text.find(std::string(",") + c.angle + ","), std::string::npos) << c.angle << "\n" << text;
    }
    EXPECT_EQ(TurningAngleAt({PlanePoint("J", JStake, 0, 0)}, 0), 0);
    EXPECT_EQ(TurningAngleAt({}, 0), 0);
}

TEST(ResultWriter, DxfPiecesForTwoPoints) {
    DHPointList list = {PlanePoint("J1", JStake, 100, 200, 5), PlanePoint("桩2", ZStake, 110.5, 210.25, 6.125)};
    Written w;
    Write(list, 6, w);
    const std::string p1 = " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n 10\r\n200.0000\r\n 20\r\n100.0000\r\n 30\r\n5.0000\r\n";
    const std::string p2 = " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n 10\r\n210.2500\r\n 20\r\n110.5000\r\n 30\r\n6.1250\r\n";
    const std::string expected = kDxfHeader + " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n" + p1 +
                                 "  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n202.5000\r\n 20\r\n100.0000\r\n"
                                 " 30\r\n0.0\r\n 40\r\n2\r\n1\r\nJ1\r\n" +
                                 p1 + p2 +
                                 "  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n212.7500\r\n 20\r\n110.5000\r\n"
                                 " 30\r\n0.0\r\n 40\r\n2\r\n1\r\n\xD7\xAE" "2\r\n" +  // GBK of 桩
                                 p2 + " 0\r\nENDSEC\r\n 0\r\nEOF\r\n";
    EXPECT_EQ(w.bytes, expected);
    EXPECT_EQ(w.reporter.Texts(), std::vector<std::string>{w.done});
}


// The DXF declares code page 936: a character it lacks becomes "?" there,
// with a warning naming the point, the euro sign its one byte 0x80, and
// every other byte is that of the same names written with "?" already.
// The other kinds keep GB18030.
TEST(ResultWriter, DxfNamesOutsideGbkBecomeQuestionMarks) {
    auto points = [](const char* first, const char* third) {
        return DHPointList{PlanePoint(first, JStake, 100, 200, 5), PlanePoint("辅1", AuxPoint, 110, 210),
                           PlanePoint(third, ZStake, 120, 220)};
    };
    Written w;
    Write(points("𠮷J1", "Z€𠮷𠀀𠮷"), 6, w);
    Written same;
    Write(points("?J1", "Z€???"), 6, same);
    EXPECT_EQ(w.bytes, same.bytes);
    EXPECT_NE(w.bytes.find("\r\nZ\x80???\r\n"), std::string::npos);
    EXPECT_EQ(w.reporter.Texts(),
              (std::vector<std::string>{"点名含有GBK以外的字符“𠮷”，DXF中以?代替（点名：𠮷J1，第1行）",
                                        "点名含有GBK以外的字符“𠮷𠀀”，DXF中以?代替（点名：Z€𠮷𠀀𠮷，第3行）",
                                        w.done}));
    EXPECT_EQ(w.reporter.messages[0].kind, "warning");

    Written list;
    Write(points("𠮷J1", "Z€"), 0, list);
    EXPECT_EQ(text::Gb18030ToUtf8(list.bytes).rfind("𠮷J1,", 0), 0u);
    EXPECT_EQ(list.reporter.Texts(), std::vector<std::string>{list.done});
}
// No point written: the file holds at most the frame, and nothing is said.
TEST(ResultWriter, NothingWrittenMeansNoMessage) {
    struct Case {
        DHPointList list;
        int kind;
        std::string bytes;
    } cases[] = {
        {{}, 0, ""},
        {{}, 8, "\xB5\xE3\xC3\xFB,"},  // header starts with GBK 点名
        {{}, 6, kDxfHeader + " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n 0\r\nENDSEC\r\n 0\r\nEOF\r\n"},
        {{PlanePoint("A", AuxPoint, 1, 2), PlanePoint("X", CrossingOnePoint, 3, 4)}, 9, ""},
        {{PlanePoint("A", AuxPoint, 1, 2)}, 10, ""},
    };
    for (const Case& c : cases) {
        Written w;
        Write(c.list, c.kind, w);
        EXPECT_TRUE(w.ok) << "kind " << c.kind;
        EXPECT_EQ(w.bytes.substr(0, c.bytes.size()), c.bytes) << "kind " << c.kind;
        if (c.kind != 8) {
            EXPECT_EQ(w.bytes, c.bytes) << "kind " << c.kind;
        }
        EXPECT_TRUE(w.reporter.messages.empty()) << "kind " << c.kind;
    }
}

// A file that cannot be written is reported and leaves nothing behind: not
// the target, not a temporary file, and not the old contents destroyed.
TEST(ResultWriter, FailedWriteIsReportedAndLeavesNoFile) {
    for (int kind = 0; kind <= 11; ++kind) {
        TempDir dir;
        const std::string folderAsTarget = dir.File("taken");
        std::filesystem::create_directory(folderAsTarget);
        testing::WriteFileBytes(dir.File("taken/keep.txt"), "old");
        // Each failure names the system's reason.
        const std::pair<std::string, const char*> cases[] = {{folderAsTarget, "Is a directory"},
                                                             {dir.File("missing/out.dat"), "No such file or directory"}};
        for (const auto& [path, reason] : cases) {
            RecordingReporter reporter;
            EXPECT_FALSE(testing::Reported(WriteResultFile(ThreePoints(), path, kind, reporter), reporter)) << kind << " " << path;
            EXPECT_EQ(reporter.Texts(), std::vector<std::string>{kCannotCreate + path + "（" + reason + "）"})
                << kind << " " << path;
        }
        size_t entries = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            entries += e.path().filename() == "taken" ? 0 : 1;
        EXPECT_EQ(entries, 0u) << "kind " << kind;
        EXPECT_EQ(ReadFileBytes(dir.File("taken/keep.txt")), "old");
    }
}

// No path, or one of only spaces: every kind asks for a path (the file name
// is what is missing) and nothing is written.
TEST(ResultWriter, BlankPathWritesNothing) {
    TempDir dir;
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    for (const char* path : {"", "   ", " \t "}) {
        RecordingReporter textReporter, kmlReporter;
        EXPECT_FALSE(testing::Reported(WriteResultFile(ThreePoints(), path, 0, textReporter), textReporter));
        EXPECT_FALSE(testing::Reported(WriteResultFile(ThreePoints(), path, 11, kmlReporter), kmlReporter));
        EXPECT_EQ(textReporter.Texts(), std::vector<std::string>{kNoPath});
        EXPECT_EQ(kmlReporter.Texts(), std::vector<std::string>{kNoPath});
    }
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ResultWriter, KmlKindReportsCompletion) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_TRUE(WriteResultFile(ThreePoints(), dir.File("line.kml"), 11, reporter));
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"转换完成!已写入：" + dir.File("line.kml")});
    EXPECT_NE(ReadFileBytes(dir.File("line.kml")).find("<name>Z1</name>"), std::string::npos);
}

TEST(ResultWriter, OverwritesAnExistingFile) {
    TempDir dir;
    const std::string path = dir.File("out.dat");
    testing::WriteFileBytes(path, std::string(10000, 'x'));
    RecordingReporter reporter;
    ASSERT_TRUE(WriteResultFile({PlanePoint("P1", JStake, 1, 2, 3)}, path, 2, reporter));
    EXPECT_EQ(ReadFileBytes(path), "P1,,1.0000,2.0000,3.0000\r\n");
}

// A failure comes back to the caller, who shows it: the writer says nothing
// itself, and a point no file can carry is named so a window can find it.
TEST(ResultWriter, FailuresComeBackToTheCaller) {
    TempDir dir;
    DHPointList unusable = ThreePoints();
    unusable[1].Dx = std::numeric_limits<double>::infinity();
    const std::string missing = dir.File("missing/out.dat");
    struct Case {
        DHPointList list;
        std::string path;
        int kind;
        KmlPacking packing;
        std::string message;
    } cases[] = {
        {unusable, dir.File("out.dat"), 0, KmlPacking::Kml, "北坐标为inf，不是有效的测量值，不能转换（点名：辅1，第2行）"},
        {ThreePoints(), dir.File("out.dat"), static_cast<int>(ResultKinds().size()), KmlPacking::Kml, "未知的成果文件格式"},
        {ThreePoints(), dir.File("out.kmz"), 6, KmlPacking::Kmz, "KMZ只用于J、Z桩KML格式"},
        {ThreePoints(), missing, 2, KmlPacking::Kml, kCannotCreate + missing + "（No such file or directory）"},
        {ThreePoints(), " ", 8, KmlPacking::Kml, kNoPath},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        const StatusOr<int> result = WriteResultFile(c.list, c.path, c.kind, reporter, c.packing);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.status().message(), c.message);
        EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front().text;
    }
    RecordingReporter reporter;
    const StatusOr<int> result = WriteResultFile(unusable, dir.File("out.dat"), 0, reporter);
    ASSERT_TRUE(result.status().point());
    EXPECT_EQ(result.status().point()->row, 1);
    EXPECT_EQ(result.status().text(), "北坐标为inf，不是有效的测量值，不能转换");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace linvara
