// Without libFuzzer: runs each file of the corpus folders given, then the
// target's generated seeds, through the target once, as an ordinary test.
// A crash, a sanitizer report or a hang (the test's timeout) fails it.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "fuzz_target.h"

namespace {

void Run(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            Run(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
            ++inputs;
        }
    }
    for (const std::string& seed : linvara::fuzz::GeneratedSeeds()) {
        Run(seed);
        ++inputs;
    }
    std::cout << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
