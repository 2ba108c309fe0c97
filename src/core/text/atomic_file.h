#pragma once
#include <string>
#include <string_view>

namespace linvara::text {

// Writes a file through a temporary file in the same folder that is renamed
// over the target only when every byte has been written, so a failed write
// (full disk, no permission) never leaves a partial file behind, and a crash
// leaves at most a `<target>.tmpXXXXXX` that the next write of the target
// removes (see text/temporary_file.h).
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();  // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool Open();                           // false when the temporary file cannot be created
    bool Write(std::string_view bytes);    // false once any write has failed
    bool Commit();                         // flushes, closes and renames; false on any failure
    const std::string& Path() const { return path_; }

private:
    void Discard();

    std::string path_;
    std::string tempPath_;  // empty while the temporary file has no name
    int fd_ = -1;
    bool failed_ = false;
    std::string buffer_;
};

// Writes `bytes` to `path` atomically; false when anything failed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace linvara::text
