// Writes a large generated collector project, for measuring the programs on
// it by hand or from bench/memory.sh:
//   make_project <path> [points=100000] [jstakes=2000] [towerCentres=1000]
// The file holds the collector's tables only: the first open creates the
// working tables, as with a file fresh from the field.
#include <cstdio>
#include <exception>
#include <string>

#include "project_generator.h"
#include "text/format.h"

namespace {

constexpr const char* kUsage = "用法: make_project <文件> [点数=100000] [J桩数=2000] [塔基中心桩数=1000]\n";

// A whole positive number, or 0 when the argument is not one.
int PositiveArgument(const char* text) {
    int value = 0;
    const std::string s = text;
    if (s.empty() || s.size() > 9) return 0;
    for (char c : s) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    // An option is never a file name (make_project --help once wrote a project named so).
    if (argc < 2 || argc > 5 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    int counts[3] = {100000, 2000, 1000};
    for (int i = 2; i < argc; ++i) {
        counts[i - 2] = PositiveArgument(argv[i]);
        if (counts[i - 2] <= 0) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    const std::string path = argv[1];
    try {
        const auto project = linvara::bench::GenerateProject(counts[0], counts[1], counts[2]);
        linvara::bench::WriteCollectorFile(path, project);
        std::fputs(linvara::text::Format("%s: %zu 个点, %zu 行塔基数据\n", path.c_str(), project.points.size(),
                                         project.towerRows.size())
                       .c_str(),
                   stdout);
    } catch (const std::exception& e) {
        std::fputs(linvara::text::Format("无法写入 %s: %s\n", path.c_str(), e.what()).c_str(), stderr);
        return 1;
    }
    return 0;
}
