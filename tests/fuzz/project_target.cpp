// A project file from elsewhere: opened as every command opens it, its stake
// list ordered and saved, its tower-base rows exported to TOW and read back.
// An input starting with "V" is a text of collector rows (fuzz/collector_rows.h)
// made into a project first; any other input is the file's bytes.
#include <SQLiteCpp/Exception.h>

#include <string_view>

#include "fuzz/collector_rows.h"
#include "fuzz_target.h"
#include "project/project.h"
#include "reporter.h"
#include "support/collector_fixture.h"
#include "support/temp_dir.h"
#include "text/encoding.h"
#include "towerbase/tow_file.h"

namespace linvara::fuzz {

// A few small collector projects, built from SQL by the test fixtures.
std::vector<std::string> GeneratedSeeds() {
    using namespace linvara::testing;
    const TempDir dir;
    CollectorPoint deleted = Surveyed("G4", "J9", 3, 3380300, 500200, 40);
    deleted.deleteSign = 1;
    CollectorTowerRow tower;
    tower.name = "T1";
    tower.pegName = "Z1";
    tower.subIndex = 1;
    tower.pegDis = 2.5;
    const std::vector<std::vector<CollectorPoint>> projects = {
        {},
        {Surveyed("G1", "J1", 3, 3380000, 500000, 41.5), Surveyed("G2", "Z1", 4, 3380100, 500050, 42),
         Surveyed("G3", "J2", 3, 3380200, 500100, 43), deleted},
        {Surveyed("G1", "中桩", 2, 1e308, -1e308, 0)},
    };
    std::vector<std::string> seeds;
    for (std::size_t i = 0; i < projects.size(); ++i) {
        const std::string file = dir.File("seed" + std::to_string(i) + ".PD");
        WriteCollectorProject(file, projects[i], i == 1 ? std::vector<CollectorTowerRow>{tower}
                                                        : std::vector<CollectorTowerRow>{});
        seeds.push_back(ReadFileBytes(file));
    }
    // The same survey once opened here: with the working tables this program adds.
    SilentReporter reporter;
    Project opened(reporter);
    if (opened.Open(dir.File("seed1.PD"))) {
        opened.AutoOrder();
        if (opened.Save()) seeds.push_back(ReadFileBytes(dir.File("seed1.PD")));
    }
    return seeds;
}

}  // namespace linvara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string path;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.starts_with('V')) {
        path = linvara::fuzz::WriteInput(nullptr, 0, ".PD");
        try {
            linvara::fuzz::WriteProjectFromRows(path, bytes.substr(1));
        } catch (const SQLite::Exception&) {  // rows the collector's tables do not take
            return 0;
        }
    } else {
        path = linvara::fuzz::WriteInput(data, size, ".PD");
    }
    linvara::SilentReporter reporter;
    try {
        linvara::Project project(reporter);
        if (project.Open(path)) {
            project.AutoOrder();
            (void)project.Save(linvara::Project::SaveMode::Overwrite);
        }
        if (linvara::ExportTow(path, reporter).written) linvara::TryReadTowFile(linvara::TowPathFor(path));
    } catch (const linvara::text::EncodingError&) {  // a system without the converter
    }
    return 0;
}
