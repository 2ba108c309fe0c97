#include "text/file_system.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace linvara::text {

#ifdef _WIN32
std::wstring WidePath(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

void SetErrnoFromLastError() {
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: errno = ENOENT; break;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS: errno = EEXIST; break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
        case ERROR_NOT_SAME_DEVICE: errno = EXDEV; break;
        case ERROR_INVALID_NAME: errno = EINVAL; break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: errno = EACCES; break;
        default: errno = EIO; break;
    }
}

std::filesystem::path FsPath(std::string_view utf8) { return std::filesystem::path(WidePath(utf8)); }
std::string Utf8Path(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

bool FileExists(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RemoveFile(const std::string& path) {
    if (DeleteFileW(WidePath(path).c_str())) return true;
    SetErrnoFromLastError();
    return false;
}

// rename() refuses an existing target on Windows.
bool RenameOver(const std::string& from, const std::string& to) {
    const std::wstring target = WidePath(to);
    if (MoveFileExW(WidePath(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    SetErrnoFromLastError();
    // Windows says "access denied" where a folder is in the way; say what Linux says.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) errno = EISDIR;
    return false;
}

bool MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    SetErrnoFromLastError();
    return false;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}
#else
std::filesystem::path FsPath(std::string_view utf8) { return std::filesystem::path(std::string(utf8)); }
std::string Utf8Path(const std::filesystem::path& path) { return path.string(); }

bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }
bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }
bool RenameOver(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

// A file that appeared meanwhile is kept; where the file system cannot
// rename without replacing, a hard link refuses an existing name as well.
bool MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}
#endif

}  // namespace linvara::text
