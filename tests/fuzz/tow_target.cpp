// A TOW file from elsewhere: read as the tower-base dialog and `towerbase` read it.
#include "fuzz_target.h"
#include "text/encoding.h"
#include "towerbase/tow_file.h"

namespace linvara::fuzz {
std::vector<std::string> GeneratedSeeds() { return {}; }
}  // namespace linvara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = linvara::fuzz::WriteInput(data, size, ".tow");
    std::vector<std::string> warnings;
    std::string problem;
    try {
        linvara::TryReadTowFile(path, &warnings, &problem);
    } catch (const linvara::text::EncodingError&) {  // a system without the converter
    }
    return 0;
}
