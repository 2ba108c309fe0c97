// Writes a target's generated seeds into a folder, for scripts/fuzz.sh to
// start libFuzzer from: `<target>_seeds DIR`.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz_target.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " DIR\n";
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    int n = 0;
    for (const std::string& seed : linvara::fuzz::GeneratedSeeds()) {
        std::ofstream(std::filesystem::path(argv[1]) / ("generated-" + std::to_string(n++)), std::ios::binary) << seed;
    }
    return 0;
}
