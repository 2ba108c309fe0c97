#pragma once
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <string>

namespace linvara::testing {

// Whether a chmod'ed file or folder stops this process: root writes
// anywhere, and Windows has no POSIX permissions.
inline bool PermissionsApply() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() != 0;
#endif
}

// For the rest of the scope the process acts as a user whom file modes stop:
// root takes the identity of "nobody" (its saved ID brings it back at the
// end); anyone else stays who they are. Files and folders made with
// ReadOnlyMode/WritableMode then behave as for a user of another machine
// that receives them.
class AsUserWhomModesStop {
public:
    AsUserWhomModesStop() {
#ifndef _WIN32
        if (::geteuid() == 0) active_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
#endif
    }
    ~AsUserWhomModesStop() {
#ifndef _WIN32
        if (active_) (void)(::seteuid(0) == 0 && ::setegid(0) == 0);
#endif
    }
    AsUserWhomModesStop(const AsUserWhomModesStop&) = delete;
    AsUserWhomModesStop& operator=(const AsUserWhomModesStop&) = delete;

    // Whether modes now stop this process (false on Windows).
    static bool Possible() {
#ifdef _WIN32
        return false;
#else
        return true;
#endif
    }

private:
    static constexpr unsigned kNobody = 65534;
    bool active_ = false;
};

// Readable (folders: enterable) by everyone, writable by no one / by everyone.
inline void ReadOnlyMode(const std::string& path, bool folder) {
#ifndef _WIN32
    ::chmod(path.c_str(), folder ? 0555 : 0444);
#endif
}
inline void WritableMode(const std::string& path, bool folder) {
#ifndef _WIN32
    ::chmod(path.c_str(), folder ? 0777 : 0666);
#endif
}

}  // namespace linvara::testing
