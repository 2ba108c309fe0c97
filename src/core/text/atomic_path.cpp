#include "text/atomic_path.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/file_system.h"
#include "text/temporary_file.h"

namespace linvara::text {

AtomicPath::AtomicPath(std::string target) : target_(std::move(target)) {}

AtomicPath::~AtomicPath() { Discard(); }

bool AtomicPath::Fail() {
    if (error_.empty()) error_ = std::strerror(errno);
    Discard();
    return false;
}

bool AtomicPath::Open() {
    Discard();
    error_.clear();
    if (target_.empty() || target_.back() == '/' || target_.back() == '\\') {
        error_ = "没有文件名";
        return false;
    }
    RemoveStaleTemporaries(target_);
    const TemporaryFile temp = CreateTemporaryFor(target_);
    if (temp.fd < 0) return Fail();
    fd_ = temp.fd;
    // The library opens the file by name, so an unnamed one gets its name now.
    tempPath_ = temp.name.empty() ? NameTemporary(fd_, target_) : temp.name;
    if (tempPath_.empty()) return Fail();
#ifdef _WIN32
    // Libraries open the file by name without sharing it, and a file held
    // open cannot be renamed: let go of it before they start.
    ::close(fd_);
    fd_ = -1;
#endif
    return true;
}

bool AtomicPath::Commit() {
    if (tempPath_.empty()) return false;
    if (fd_ >= 0 && !GiveTargetMode(fd_, target_)) return Fail();
    if (!RenameOver(tempPath_, target_)) return Fail();
    tempPath_.clear();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return true;
}

void AtomicPath::Discard() {
    if (fd_ >= 0) ::close(fd_);  // first: Windows deletes no open file
    fd_ = -1;
    if (!tempPath_.empty()) RemoveFile(tempPath_);
    tempPath_.clear();
}

}  // namespace linvara::text
