#pragma once
#include <filesystem>
#include <string>

namespace linvara::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder's path in UTF-8, as the programs take paths.
    std::string Utf8() const;
    // The UTF-8 path of `name` in the folder.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace linvara::testing
