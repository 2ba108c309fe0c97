// The DXF read back by a strict reader (ezdxf): its audit finds nothing to
// mend, and the TEXT entities give back every name, decoded from the code
// page the file declares.
#include <gtest/gtest.h>

#include <sstream>

#include "output/result_writer.h"
#include "readback.h"
#include "support/cli_runner.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace linvara {
namespace {

using testing::ShellQuote;

// Reads the file as ezdxf's users do (readfile, then its audit; recover)
// and prints: version, declared code page, the codec it decodes with; the errors
// and fixes of both audits; then the text of every TEXT entity, one a line.
constexpr const char* kReadScript = R"(import codecs
import sys
import ezdxf
from ezdxf import recover
sys.stdout.reconfigure(encoding="utf-8")
doc = ezdxf.readfile(sys.argv[1])
audit = doc.audit()
_, recovered = recover.readfile(sys.argv[1])
print(doc.dxfversion, doc.header.get("$DWGCODEPAGE", "-"), codecs.lookup(doc.encoding).name)
print(len(audit.errors), len(audit.fixes), len(recovered.errors), len(recovered.fixes))
for text in doc.modelspace().query("TEXT"):
    print(text.dxf.text)
)";

// The interpreter that has ezdxf: the one on the path, else the system's
// (a private Python on the path does not see the Debian package).
std::string PythonWithEzdxf() {
    for (const char* python : {"python3", "/usr/bin/python3"})
        if (std::system((std::string(python) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0) return python;
    return "";
}

struct DxfFile {
    testing::TempDir dir;
    std::string path = dir.File("线路.dxf");
};

// What ezdxf makes of the DXF of `list`: the first two lines of the script
// (version and code page; audit counts) and the text of every TEXT entity.
struct ReadBack {
    std::string header, audit;
    std::vector<std::string> names;
};

ReadBack ReadWithEzdxf(const std::string& python, const DHPointList& list) {
    DxfFile file;
    testing::RecordingReporter reporter;
    ReadBack read;
    EXPECT_TRUE(WriteResultFile(list, file.path, 6, reporter));
    const std::string script = file.dir.File("read.py");
    testing::WriteFileBytes(script, kReadScript);
    const testing::ReaderRun run = testing::RunReader(python + " " + ShellQuote(script) + " " + ShellQuote(file.path));
    EXPECT_EQ(run.exitCode, 0) << run.out;
    std::istringstream out(run.out);
    std::getline(out, read.header);
    std::getline(out, read.audit);
    for (std::string line; std::getline(out, line);) read.names.push_back(line);
    return read;
}

TEST(EzdxfReadback, AuditFindsNoErrorAndNamesDecodeFromTheDeclaredCodePage) {
    const std::string python = PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "ezdxf (python3-ezdxf) not installed";
    const DHPointList list = testing::AwkwardStakes();
    const ReadBack read = ReadWithEzdxf(python, list);
    EXPECT_EQ(read.header, "AC1009 ANSI_936 gbk");
    EXPECT_EQ(read.audit, "0 0 0 0") << "errors and fixes of readfile's audit, then of recover";
    ASSERT_EQ(read.names.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(read.names[i], list[i].NewPtName);
}

// Characters the declared code page lacks arrive as "?", and nothing else
// of the name is lost.
TEST(EzdxfReadback, CharactersOutsideGbkReadAsQuestionMarks) {
    const std::string python = PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "ezdxf (python3-ezdxf) not installed";
    using testing::PlanePoint;
    const ReadBack read = ReadWithEzdxf(python, {PlanePoint("𠮷J1", JStake, 1, 2), PlanePoint("转角J2", JStake, 3, 4),
                                                  PlanePoint("Z3𠮷吉", ZStake, 5, 6)});
    EXPECT_EQ(read.audit, "0 0 0 0");
    EXPECT_EQ(read.names, (std::vector<std::string>{"?J1", "转角J2", "Z3?吉"}));
}

// The command our users run on a file they doubt.
TEST(EzdxfReadback, CommandLineAuditReportsNoError) {
    const std::string python = PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "ezdxf (python3-ezdxf) not installed";
    DxfFile file;
    testing::RecordingReporter reporter;
    ASSERT_TRUE(WriteResultFile(testing::AwkwardStakes(), file.path, 6, reporter));
    const testing::ReaderRun run = testing::RunReader(python + " -m ezdxf audit " + ShellQuote(file.path) + " 2>&1");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("No errors found."), std::string::npos) << run.out;
}

}  // namespace
}  // namespace linvara
