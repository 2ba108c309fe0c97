// The KML kind packed as a KMZ: the KML as the KML writer writes it, with
// the stake icon beside it, so a viewer without internet draws the stakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "output/kml_writer.h"
#include "output/result_writer.h"
#include "readback.h"
#include "support/cli_runner.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::ReadFileBytes;
using testing::RecordingReporter;
using testing::ShellQuote;
using testing::TempDir;

constexpr int kKmlKind = 11;
constexpr const char* kWebIcon = "http://maps.google.com/mapfiles/kml/shapes/donut.png";

// The name of the first entry, from the archive's first local file header.
std::string FirstEntryName(const std::string& zip) {
    if (zip.size() < 30 || zip.compare(0, 4, "PK\x03\x04") != 0) return {};
    const std::size_t length = static_cast<unsigned char>(zip[26]) | static_cast<unsigned char>(zip[27]) << 8;
    return zip.substr(30, length);
}

TEST(Kmz, DocKmlFirstAndDoneAsTheKml) {
    TempDir dir;
    const std::string path = dir.File("线路.kmz");
    RecordingReporter reporter;
    const StatusOr<int> result = WriteResultFile(testing::AwkwardStakes(), path, kKmlKind, reporter, KmlPacking::Kmz);
    const bool ok = testing::Reported(result, reporter);
    if (!KmzAvailable()) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(reporter.Texts(), std::vector<std::string>{kKmzNotInThisBuild});
        GTEST_SKIP() << kKmzNotInThisBuild;
    }
    ASSERT_TRUE(ok) << ::testing::PrintToString(reporter.Texts());
    EXPECT_EQ(reporter.Texts(), std::vector<std::string>{"转换完成!已写入：" + path});
    EXPECT_EQ(result.value(), 3);
    EXPECT_EQ(FirstEntryName(ReadFileBytes(path)), "doc.kml");
}

TEST(Kmz, FailuresWriteNothing) {
    TempDir dir;
    struct Case {
        int kind;
        std::string path;
        std::string message;  // the start of the one message
    } cases[] = {
        {6, dir.File("line.kmz"), "KMZ只用于J、Z桩KML格式"},
        {kKmlKind, dir.File("missing/line.kmz"), KmzAvailable() ? "新建成果文件出错：" : kKmzNotInThisBuild},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        EXPECT_FALSE(testing::Reported(
            WriteResultFile(testing::AwkwardStakes(), c.path, c.kind, reporter, KmlPacking::Kmz), reporter));
        ASSERT_EQ(reporter.messages.size(), 1u) << c.path;
        EXPECT_EQ(reporter.messages[0].kind, "error");
        EXPECT_EQ(reporter.messages[0].text.rfind(c.message, 0), 0u) << reporter.messages[0].text;
        EXPECT_FALSE(std::filesystem::exists(c.path));
    }
}

// Python's zipfile lists the entries with their compression (8 deflated,
// 0 stored) and checks their CRCs, saves doc.kml, and decodes the icon:
// size, bit depth, colour type, then the pixels at the centre and on the ring.
constexpr const char* kZipScript = R"(import struct, sys, zipfile, zlib
z = zipfile.ZipFile(sys.argv[1])
print(" ".join(f"{i.filename}:{i.compress_type}" for i in z.infolist()))
print(z.testzip())
open(sys.argv[2], "wb").write(z.read("doc.kml"))
png = z.read("files/donut.png")
assert png[:8] == b"\x89PNG\r\n\x1a\n"
pos, chunks = 8, {}
while pos < len(png):
    length, kind = struct.unpack(">I4s", png[pos:pos + 8])
    data = png[pos + 8:pos + 8 + length]
    assert struct.unpack(">I", png[pos + 8 + length:pos + 12 + length])[0] == zlib.crc32(kind + data)
    chunks[kind] = chunks.get(kind, b"") + data
    pos += 12 + length
w, h, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
raw = zlib.decompress(chunks[b"IDAT"])
stride = 1 + 4 * w
assert len(raw) == h * stride and all(raw[y * stride] == 0 for y in range(h))
pixel = lambda x, y: raw[y * stride + 1 + 4 * x:y * stride + 5 + 4 * x].hex()
print(f"{w}x{h} {depth} {colour} {pixel(32, 32)} {pixel(32, 12)} {pixel(0, 0)}")
)";

TEST(Kmz, ZipReaderFindsTheKmlAsWrittenAndARedRingIcon) {
    if (!KmzAvailable()) GTEST_SKIP() << kKmzNotInThisBuild;
    if (!testing::HaveCommand("python3")) GTEST_SKIP() << "python3 not installed";
    TempDir dir;
    const DHPointList list = testing::AwkwardStakes();
    RecordingReporter reporter;
    ASSERT_TRUE(WriteResultFile(list, dir.File("线路.kmz"), kKmlKind, reporter, KmlPacking::Kmz));
    ASSERT_TRUE(WriteResultFile(list, dir.File("线路.kml"), kKmlKind, reporter));
    const std::string script = dir.File("read.py");
    testing::WriteFileBytes(script, kZipScript);
    const testing::ReaderRun run = testing::RunReader("python3 " + ShellQuote(script) + " " +
                                                      ShellQuote(dir.File("线路.kmz")) + " " +
                                                      ShellQuote(dir.File("doc.kml")));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::istringstream out(run.out);
    std::string entries, bad, icon;
    std::getline(out, entries);
    std::getline(out, bad);
    std::getline(out, icon);
    EXPECT_EQ(entries, "doc.kml:8 files/donut.png:0");
    EXPECT_EQ(bad, "None") << "the first entry whose CRC does not match";
    EXPECT_EQ(icon, "64x64 8 6 e0101000 e01010ff e0101000") << "RGBA; clear centre, red ring, clear corner";

    // The KML writer's bytes, the icon now beside them.
    std::string kml = ReadFileBytes(dir.File("线路.kml"));
    for (std::size_t at; (at = kml.find(kWebIcon)) != std::string::npos;)
        kml.replace(at, std::string(kWebIcon).size(), "files/donut.png");
    EXPECT_EQ(ReadFileBytes(dir.File("doc.kml")), kml);
}

}  // namespace
}  // namespace linvara
