#pragma once
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace linvara::text {

// Paths are UTF-8 strings throughout the program. On Windows a narrow path
// would be read in the ANSI code page, so every path reaches the system as
// UTF-16 through these; on Linux the bytes pass unchanged.
std::filesystem::path FsPath(std::string_view utf8);
std::string Utf8Path(const std::filesystem::path& path);

#ifdef _WIN32
std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// errno for the last Windows error, so strerror gives the reason.
void SetErrnoFromLastError();
#endif

bool FileExists(const std::string& path);
// False with errno set.
bool RemoveFile(const std::string& path);
// Renames `from` to `to`, replacing a `to` that exists; false with errno set.
bool RenameOver(const std::string& from, const std::string& to);
// Renames `from` to `to` only where no `to` exists (errno EEXIST otherwise).
bool MoveFileNoReplace(const std::string& from, const std::string& to);
// The local time of `when`.
std::tm LocalTime(std::time_t when);

}  // namespace linvara::text
