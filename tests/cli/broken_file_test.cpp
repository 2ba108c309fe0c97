// Every command on a file that is not a sound project: one line naming the
// file and what is wrong, exit 1, nothing written, and the file and what lies
// beside it exactly as they were. And the limits a hostile file could push
// past: memory that follows the rows, not their IDs; a disk that fills up
// while the first open writes.
#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/broken_files.h"
#include "support/cli_runner.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"

namespace linvara::testing {
namespace {

CliRun Cli(const TempDir& dir, const std::string& args) { return RunCommandLine(LINVARA_CLI, dir.Utf8(), args); }

std::string Quoted(const std::string& path) { return ShellQuote(path); }

std::string WorkingProject(const TempDir& dir) {
    const std::string path = dir.File("p.PD");
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "Z1", 1, 150, 200),
                                 Surveyed("3", "J2", 0, 300, 400)});
    EXPECT_EQ(Cli(dir, "info " + Quoted(path)).exitCode, 0);
    return path;
}

std::size_t Lines(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

TEST(BrokenFileCommands, EachCommandSaysWhatIsWrongInOneLineAndWritesNothing) {
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> damages = {
        {"工程文件是空的", [](const std::string& p) { WriteFileBytes(p, ""); }},
        {"不是有效的工程文件", [](const std::string& p) { WriteFileBytes(p, "SQLite is not in here\n"); }},
        {"工程文件不完整", [](const std::string& p) { CutFile(p, 2 * 4096 + 10); }},
        {"工程文件已损坏", PointFreelistPastTheEnd},
        {"工程文件已损坏", [](const std::string& p) { DamageTablePages(p, {"Electric_DH_Export", "Electric_Data_TG"}); }},
        {"工程文件旁有上次写入未完成留下的日志文件", PutStaleJournal},
        {"工程文件旁有不属于它的WAL日志文件", PutForeignWal},
    };
    for (const auto& [cause, damage] : damages) {
        TempDir dir;
        const std::string path = WorkingProject(dir), outputs = dir.File("outputs");
        std::filesystem::create_directory(outputs);
        const std::vector<std::string> commands = {
            "info", "order", "sort", "tow", "check", "org -o " + Quoted(outputs + "/r.org"),
            "export --kind 0 -o " + Quoted(outputs + "/r.txt"), "report -o " + Quoted(outputs + "/r.xlsx"),
            "towerbase -o " + Quoted(outputs + "/tb.org"), "plan -o " + Quoted(outputs + "/plan.png")};
        damage(path);
        const auto before = FilesOf(path);
        for (const std::string& command : commands) {
            const std::string verb = command.substr(0, command.find(' '));
            const CliRun run = Cli(dir, verb + " " + Quoted(path) + command.substr(verb.size()));
            const std::string what = std::string(cause) + " / " + command + "\n" + run.err;
            EXPECT_EQ(run.exitCode, 1) << what;
            EXPECT_EQ(run.out, "") << what;
            EXPECT_EQ(Lines(run.err), 1u) << what;
            EXPECT_NE(run.err.find(cause), std::string::npos) << what;
            EXPECT_NE(run.err.find(path), std::string::npos) << what;
            EXPECT_TRUE(FilesOf(path) == before) << what;
            EXPECT_TRUE(std::filesystem::is_empty(outputs)) << what;
            EXPECT_FALSE(std::filesystem::exists(dir.File("p.tow"))) << what;
        }
    }
}

#ifndef _WIN32
// Runs the command line with a limit of the shell's `ulimit` in force.
CliRun CliLimited(const TempDir& dir, const std::string& limit, const std::string& args) {
    const std::string out = dir.File("limited.out"), err = dir.File("limited.err");
    const std::vector<std::string> words = SplitShellWords(args);
    std::vector<std::string> argv = {"-c", "trap '' XFSZ; ulimit " + limit + " && exec \"$0\" \"$@\"", LINVARA_CLI};
    argv.insert(argv.end(), words.begin(), words.end());
    CliRun run;
    run.exitCode = RunProcess("/bin/sh", argv, out, err);
    run.out = ReadFileBytes(out);
    run.err = ReadFileBytes(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

// Runs the command line as a user whom file modes stop (as root: nobody).
CliRun CliUnprivileged(const TempDir& dir, const std::string& args) {
    std::vector<std::string> argv = SplitShellWords(args);
    std::string program = LINVARA_CLI;
    if (::geteuid() == 0) {
        argv.insert(argv.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", program});
        program = "/usr/bin/setpriv";
    }
    const std::string out = dir.File("unprivileged.out"), err = dir.File("unprivileged.err");
    CliRun run;
    run.exitCode = RunProcess(program, argv, out, err);
    run.out = ReadFileBytes(out);
    run.err = ReadFileBytes(err);
    return run;
}

// A collector file that cannot be written is read and converted; the
// commands that would change it end with exit 1, the reason said once.
TEST(ReadOnlyFileCommands, ConvertButNeverChange) {
    if (::geteuid() == 0 && !std::filesystem::exists("/usr/bin/setpriv")) GTEST_SKIP() << "no setpriv to run as another user";
    TempDir dir;
    const std::string share = dir.File("share"), outputs = dir.File("outputs");
    std::filesystem::create_directory(share);
    std::filesystem::create_directory(outputs);
    std::filesystem::permissions(outputs, std::filesystem::perms::all);
    const std::string path = share + "/p.PD";
    WriteCollectorProject(path, {Surveyed("1", "J1", 0, 0, 0), Surveyed("2", "Z1", 1, 150, 200),
                                 Surveyed("3", "J2", 0, 300, 400)});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    const std::string before = ReadFileBytes(path);
    const std::string reason = "工程文件为只读，修改将无法保存：" + path + "\n";
    struct Case {
        std::string args;
        int exitCode;
    };
    const std::vector<Case> cases = {
        {"info " + Quoted(path), 0},
        {"org " + Quoted(path) + " -o " + Quoted(outputs + "/r.org"), 0},
        {"order " + Quoted(path), 1},
        {"sort " + Quoted(path), 1},
        {"reset " + Quoted(path) + " --yes", 1},
    };
    for (const Case& c : cases) {
        const CliRun run = CliUnprivileged(dir, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.err;
        EXPECT_EQ(run.err.substr(0, reason.size()), reason) << c.args;  // said first, and once
        EXPECT_EQ(run.err.find(reason, reason.size()), std::string::npos) << c.args << "\n" << run.err;
    }
    EXPECT_TRUE(std::filesystem::exists(outputs + "/r.org"));
    EXPECT_TRUE(ReadFileBytes(path) == before);
}

// 64 points whose rows have IDs near 2^31 in both collector tables: opening
// and reading them costs what 64 rows cost, not a bit for every ID below.
TEST(BrokenFileCommands, MemoryFollowsTheRowsNotTheirIds) {
    TempDir dir;
    const std::string path = dir.File("ids.PD");
    std::vector<CollectorPoint> points;
    for (int i = 0; i < 64; ++i) points.push_back(Surveyed(std::to_string(i + 1), "P" + std::to_string(i), i % 3 == 0 ? 0 : 1, i * 10.0, i * 5.0));
    WriteCollectorProject(path, points);
    {
        SQLite::Database db(path, SQLite::OPEN_READWRITE);
        db.exec("UPDATE Point SET rowid = rowid + 2147483000; UPDATE Electric_Data_DH SET rowid = rowid + 2147483000;");
    }
    // 200 MB of address space: the program needs a fraction of it.
    const CliRun run = CliLimited(dir, "-v 204800", "info " + Quoted(path));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("点数：64\n"), std::string::npos) << run.out;
    SQLite::Database db(path);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM Electric_DH_Export").getInt(), 64);
}

// The disk fills while the first open builds the working tables: one line
// naming the file and SQLite's reason, and the file as it was.
TEST(BrokenFileCommands, FullDiskOnTheFirstOpenLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string path = dir.File("full.PD");
    std::vector<CollectorPoint> points;
    for (int i = 0; i < 400; ++i) points.push_back(Surveyed(std::to_string(i + 1), "P" + std::to_string(i), 1, i, i));
    WriteCollectorProject(path, points);
    const auto before = FilesOf(path);
    // No file may grow past the project's size (in blocks of 512 bytes).
    const std::string blocks = std::to_string(std::filesystem::file_size(path) / 512);
    for (const std::string command : {"info", "order"}) {
        const CliRun run = CliLimited(dir, "-f " + blocks, command + " " + Quoted(path));
        EXPECT_EQ(run.exitCode, 1) << command << "\n" << run.err;
        EXPECT_EQ(Lines(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find("创建数据表失败：" + path + "（"), std::string::npos) << run.err;
        EXPECT_TRUE(FilesOf(path) == before) << command;
    }
}
#endif

}  // namespace
}  // namespace linvara::testing
