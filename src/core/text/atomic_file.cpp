#include "text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/file_system.h"
#include "text/temporary_file.h"

namespace linvara::text {
namespace {
constexpr size_t kBufferSize = 1 << 16;

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        // Windows' write takes an unsigned int count.
        const auto n = ::write(fd, data, static_cast<unsigned>(std::min<size_t>(size, 1u << 30)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Fail() {
    if (!failed_) error_ = std::strerror(errno);
    failed_ = true;
}

bool AtomicFile::Open() {
    Discard();
    failed_ = false;
    error_.clear();
    if (path_.empty() || path_.back() == '/' || path_.back() == '\\') {
        error_ = "没有文件名";
        return false;
    }
    RemoveStaleTemporaries(path_);
    TemporaryFile temp = CreateTemporaryFor(path_);
    if (temp.fd < 0) {
        Fail();
        return false;
    }
    fd_ = temp.fd;
    tempPath_ = std::move(temp.name);
    buffer_.clear();
    buffer_.reserve(kBufferSize);
    return true;
}

bool AtomicFile::Write(std::string_view bytes) {
    if (fd_ < 0 || failed_) return false;
    if (buffer_.size() + bytes.size() > kBufferSize) {
        if (!WriteAll(fd_, buffer_.data(), buffer_.size())) Fail();
        buffer_.clear();
        if (!failed_ && bytes.size() > kBufferSize && !WriteAll(fd_, bytes.data(), bytes.size())) Fail();
        else if (!failed_ && bytes.size() <= kBufferSize) buffer_.append(bytes);
    } else {
        buffer_.append(bytes);
    }
    return !failed_;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return false;
    if (!failed_ && !buffer_.empty() && !WriteAll(fd_, buffer_.data(), buffer_.size())) Fail();
    buffer_.clear();
    if (!failed_ && !GiveTargetMode(fd_, path_)) Fail();
    // An unnamed file gets a name of the temporary pattern first: a crash
    // before the rename leaves that, and the next write of the target sweeps it.
    if (!failed_ && tempPath_.empty()) {
        tempPath_ = NameTemporary(fd_, path_);
        if (tempPath_.empty()) Fail();
    }
    if (::close(fd_) != 0) Fail();
    fd_ = -1;
    if (!failed_ && !RenameOver(tempPath_, path_)) Fail();
    if (failed_) {
        Discard();
        return false;
    }
    tempPath_.clear();
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) RemoveFile(tempPath_);
    tempPath_.clear();
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    AtomicFile file(path);
    if (file.Open() && file.Write(bytes) && file.Commit()) return true;
    if (error != nullptr) *error = file.Error();
    return false;
}

}  // namespace linvara::text
