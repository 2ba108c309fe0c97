// A point file from elsewhere, imported in the built-in styles: the first
// byte picks the style, the rest is the file.
#include <filesystem>

#include "fuzz_target.h"
#include "import/import_file.h"

namespace linvara::fuzz {
std::vector<std::string> GeneratedSeeds() { return {}; }
}  // namespace linvara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace linvara::import;
    static const std::vector<std::string> styles = [] {
        std::vector<std::string> names;
        for (const ImportStyle& s : BuiltInStyles()) names.push_back(s.name);
        return names;
    }();
    if (size == 0) return 0;
    ImportOptions options;
    options.style = *FindBuiltInStyle(styles[data[0] % styles.size()]);
    options.skipBad = (data[0] & 0x80) != 0;
    options.swapXY = (data[0] & 0x40) != 0;
    options.replace = true;
    const std::string input = linvara::fuzz::WriteInput(data + 1, size - 1, ".txt");
    const std::string output = (std::filesystem::path(input).parent_path() / "out.PD").string();
    ImportOutcome outcome;
    (void)ImportPointFile(input, output, options, outcome);
    return 0;
}
