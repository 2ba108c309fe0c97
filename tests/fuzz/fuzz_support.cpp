#include <filesystem>
#include <fstream>

#include "fuzz_target.h"
#include "support/temp_dir.h"

namespace linvara::fuzz {

std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* extension) {
    static const testing::TempDir dir;
    // Whatever the last input left beside it (a TOW export, a journal) goes first.
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path(), ec)) std::filesystem::remove_all(entry, ec);
    const std::string file = dir.File(std::string("input") + extension);
    std::ofstream(std::filesystem::path(file), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

}  // namespace linvara::fuzz
