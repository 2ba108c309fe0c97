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

TEST(EzdxfReadback, AuditFindsNoErrorAndNamesDecodeFromTheDeclaredCodePage) {
    const std::string python = PythonWithEzdxf();
    if (python.empty()) GTEST_SKIP() << "ezdxf (python3-ezdxf) not installed";
    DxfFile file;
    testing::RecordingReporter reporter;
    const DHPointList list = testing::AwkwardStakes();
    ASSERT_TRUE(WriteResultFile(list, file.path, 6, reporter));
    const std::string script = file.dir.File("read.py");
    testing::WriteFileBytes(script, kReadScript);

    const testing::ReaderRun run = testing::RunReader(python + " " + ShellQuote(script) + " " + ShellQuote(file.path));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::istringstream out(run.out);
    std::string line;
    std::getline(out, line);
    EXPECT_EQ(line, "AC1009 ANSI_936 gbk");
    std::getline(out, line);
    EXPECT_EQ(line, "0 0 0 0") << "errors and fixes of readfile's audit, then of recover";
    std::vector<std::string> names;
    while (std::getline(out, line)) names.push_back(line);
    ASSERT_EQ(names.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) EXPECT_EQ(names[i], list[i].NewPtName);
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
