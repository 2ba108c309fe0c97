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
    // Why the first failure happened ("No space left on device" ...), or empty.
    const std::string& Error() const { return error_; }

private:
    void Discard();
    void Fail();  // keeps the system's reason of the first failure

    std::string path_;
    std::string tempPath_;  // empty while the temporary file has no name
    int fd_ = -1;
    bool failed_ = false;
    std::string error_;
    std::string buffer_;
};

// Writes `bytes` to `path` atomically; false when anything failed, with the
// reason in `error` when given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace linvara::text
