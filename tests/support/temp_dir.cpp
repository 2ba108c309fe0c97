#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

#include "text/file_system.h"

namespace linvara::testing {

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        auto candidate = std::filesystem::temp_directory_path() / ("linvara-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string TempDir::Utf8() const { return text::Utf8Path(path_); }

std::string TempDir::File(const std::string& name) const { return text::Utf8Path(path_ / text::FsPath(name)); }

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(text::FsPath(path), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(text::FsPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace linvara::testing
