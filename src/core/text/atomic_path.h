#pragma once
#include <string>

namespace linvara::text {

// The atomic write of AtomicFile for libraries that open the output file
// themselves and only take a path: they write to TempPath(), a file beside
// the target, which Commit renames over the target. A failed or abandoned
// write removes it, so the target is never left partial.
class AtomicPath {
public:
    explicit AtomicPath(std::string target);
    ~AtomicPath();  // removes the temporary file unless committed
    AtomicPath(const AtomicPath&) = delete;
    AtomicPath& operator=(const AtomicPath&) = delete;

    bool Open();  // false when the temporary file cannot be created
    const std::string& TempPath() const { return tempPath_; }
    bool Commit();  // gives it the target's permissions and renames it; false on any failure
    // Why the first failure happened, or empty.
    const std::string& Error() const { return error_; }

private:
    void Discard();
    bool Fail();  // keeps the system's reason; always false

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;  // held open (not on Windows): its lock tells a sweep the file is in use
    std::string error_;
};

}  // namespace linvara::text
