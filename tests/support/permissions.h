#pragma once
#ifndef _WIN32
#include <unistd.h>
#endif

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

}  // namespace linvara::testing
