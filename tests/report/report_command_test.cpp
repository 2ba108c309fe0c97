// linvara-cli report, run as a user runs it: the stake sheet holds what the
// CSV result kind prints for every stake, and bad input leaves no file.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "workbook_reader.h"
#include "text/file_system.h"

namespace linvara {
namespace {

using testing::CollectorPoint;
using testing::ReadCell;
using testing::TempDir;

testing::CliResult RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    return testing::RunProgram(LINVARA_CLI, args, dir.File("stderr.txt"));
}

CollectorPoint At(const char* id, const char* name, int type, double north, double east, const char* code = "") {
    CollectorPoint p = testing::Surveyed(id, name, type, north, east, 10 + north / 977);
    p.code = code;
    p.latitude = 30 + north / 111000.123;
    p.longitude = 114 + east / 96000.789;
    p.altitude = 25.5;
    return p;
}

// A route that turns right at J2 and left at J3, with detail points between
// stakes so that some spans run from a point that is no stake; positions
// with more digits than the outputs print.
std::string MakeRoute(const TempDir& dir) {
    const std::string path = dir.File("线路.PD");
    testing::WriteCollectorProject(
        path, {At("g1", "J1", 0, 3400000.12345, 500000.98765, "转角桩"), At("g2", "Z1", 1, 3400150.55555, 500010.44444),
               At("g3", "树1", 2, 3400180.1, 500030.2), At("g4", "J2", 0, 3400300.33333, 500020.66666, "转角桩"),
               At("g5", "跨1", 3, 3400350.7, 500090.9), At("g6", "J3", 0, 3400400.00049, 500200.00051),
               At("g7", "Z2", 1, 3400520.25, 500230.75), At("g8", "J4", 0, 3400700.5, 500250.5)});
    return path;
}

// The CSV stake table as rows of fields, header and trailing empty field dropped.
std::vector<std::vector<std::string>> CsvRows(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text::Gb18030ToUtf8(testing::ReadFileBytes(path)));
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::string field;
        for (char c : line) {
            if (c == ',') fields.push_back(std::exchange(field, {}));
            else field += c;
        }
        rows.push_back(fields);
    }
    return rows;
}

// A CSV field and a workbook cell hold the same value: the same text, or a
// number equal to the printed one.
::testing::AssertionResult Same(const std::string& csv, const ReadCell& cell, bool number) {
    if (!number) {
        if (cell.type == '-' && csv.empty()) return ::testing::AssertionSuccess();
        if (cell.type == 's' && cell.text == csv) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "'" << cell.text << "' (" << cell.type << ") vs CSV '" << csv << "'";
    }
    if (cell.type == 'n' && cell.number == std::stod(csv)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << cell.number << " (" << cell.type << ") vs CSV " << csv;
}

TEST(ReportCommand, StakeSheetHoldsTheCsvKindsValuesForEveryStake) {
    const std::string python = testing::PythonWithOpenpyxl();
    if (python.empty()) GTEST_SKIP() << "openpyxl (python3-openpyxl) not installed";
    TempDir dir;
    const std::string project = MakeRoute(dir);
    ASSERT_EQ(RunCli(dir, {"order", project}).exitCode, 0);
    const std::string csv = dir.File("out.CSV");
    const std::string xlsx = dir.File("成果.xlsx");
    ASSERT_EQ(RunCli(dir, {"export", project, "--kind", "csv", "-o", csv}).exitCode, 0);
    const testing::CliResult r = RunCli(dir, {"report", project, "-o", xlsx});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "成果表已写入：" + xlsx + "\n");

    const testing::ReadWorkbook book = testing::ReadWithOpenpyxl(python, xlsx);
    ASSERT_TRUE(book.ok) << book.error;
    const testing::ReadSheet* stakes = book.Sheet("桩位成果表");
    const testing::ReadSheet* all = book.Sheet("全部点");
    ASSERT_TRUE(stakes && all);
    EXPECT_EQ(book.sheets.at(0).headerLeft, "线路");

    const std::set<std::string> stakeNames = {"J1", "J2", "J3", "J4", "Z1", "Z2"};
    const auto rows = CsvRows(csv);
    ASSERT_EQ(rows.size(), 8u);
    ASSERT_EQ(all->rows.size(), rows.size() + 1);
    std::size_t s = 1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& f = rows[i];
        ASSERT_EQ(f.size(), 8u);
        // 全部点: every point in the CSV's order with its coordinates and mileage.
        const std::vector<ReadCell>& a = all->rows[i + 1];
        EXPECT_TRUE(Same(f[0], a.at(0), false)) << f[0];
        for (auto [field, column] : {std::pair{2, 3}, {3, 4}, {4, 5}, {7, 6}})
            EXPECT_TRUE(Same(f[field], a.at(column), true)) << f[0] << " field " << field;
        if (!stakeNames.count(f[0])) continue;
        // 桩位成果表: name, code, x, y, h, angle, span, mileage of the CSV row.
        ASSERT_LT(s, stakes->rows.size());
        const std::vector<ReadCell>& c = stakes->rows[s++];
        const int columns[] = {0, 1, 2, 3, 4, 7, 8, 9};
        for (int field = 0; field < 8; ++field) {
            const bool number = field >= 2 && field != 5;
            EXPECT_TRUE(Same(f[field], c.at(columns[field]), number)) << f[0] << " field " << field;
        }
    }
    EXPECT_EQ(s, stakes->rows.size()) << "the stake sheet holds the stakes and nothing else";
    ASSERT_EQ(stakes->rows.size(), 7u);
    EXPECT_EQ(stakes->rows[3].at(7).text.rfind("右", 0), 0u) << "J2 turns right";
    EXPECT_EQ(stakes->rows[4].at(7).text.rfind("左", 0), 0u) << "J3 turns left";
}

TEST(ReportCommand, BadInputGivesAMessageExitOneAndNoFile) {
    TempDir dir;
    const std::string project = MakeRoute(dir);
    const std::string empty = dir.File("空.PD");
    testing::WriteCollectorProject(empty, {});
    std::filesystem::create_directory(text::FsPath(dir.File("目录.xlsx")));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"report", project, "-o", dir.File("无此目录/成果.xlsx")}, "写入成果表失败：" + dir.File("无此目录/成果.xlsx")},
        {{"report", project, "-o", dir.File("目录.xlsx")}, "写入成果表失败：" + dir.File("目录.xlsx")},
        {{"report", empty, "-o", dir.File("空.xlsx")}, "工程中没有点：" + empty},
        {{"report", dir.File("无此工程.PD"), "-o", dir.File("无.xlsx")}, "无此工程.PD"},
    };
    for (const Case& c : cases) {
        const testing::CliResult r = RunCli(dir, c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args[1] << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    std::filesystem::remove(dir.File("stderr.txt"));
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) left.insert(text::Utf8Path(entry.path().filename()));
    // The projects (the first opening adds working tables to them) and the folder; no workbook, no temporary file.
    EXPECT_EQ(left, (std::set<std::string>{"线路.PD", "空.PD", "目录.xlsx"}));
    EXPECT_TRUE(std::filesystem::is_empty(text::FsPath(dir.File("目录.xlsx"))));

    EXPECT_EQ(RunCli(dir, {"report", project}).exitCode, 2) << "no output named";
}

// LibreOffice, where installed, converts the workbook without complaint.
TEST(ReportCommand, LibreOfficeConvertsTheWorkbook) {
    if (!testing::HaveCommand("soffice")) GTEST_SKIP() << "LibreOffice (soffice) not installed";
    TempDir dir;
    const std::string project = MakeRoute(dir);
    const std::string xlsx = dir.File("report.xlsx");
    ASSERT_EQ(RunCli(dir, {"report", project, "-o", xlsx}).exitCode, 0);
    const testing::ReaderRun run = testing::RunReader(
        "HOME=" + testing::ShellQuote(dir.path().string()) + " soffice --headless --convert-to csv --outdir " +
        testing::ShellQuote(dir.path().string()) + " " + testing::ShellQuote(xlsx) + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    const std::string converted = text::Gb18030ToUtf8(testing::ReadFileBytes(dir.File("report.csv")));
    EXPECT_NE(converted.find("J1"), std::string::npos) << converted;
}

}  // namespace
}  // namespace linvara
