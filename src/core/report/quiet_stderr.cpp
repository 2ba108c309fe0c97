#include "report/quiet_stderr.h"

#include <cstdio>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#define LINVARA_DUP _dup
#define LINVARA_DUP2 _dup2
#define LINVARA_CLOSE _close
#define LINVARA_OPEN _open
constexpr const char* kNowhere = "NUL";
#else
#include <unistd.h>
#define LINVARA_DUP dup
#define LINVARA_DUP2 dup2
#define LINVARA_CLOSE close
#define LINVARA_OPEN open
constexpr const char* kNowhere = "/dev/null";
#endif

namespace linvara::report {

QuietStderr::QuietStderr() {
    std::fflush(stderr);
    saved_ = LINVARA_DUP(2);
    const int nowhere = LINVARA_OPEN(kNowhere, O_WRONLY);
    if (saved_ < 0 || nowhere < 0) {
        if (nowhere >= 0) LINVARA_CLOSE(nowhere);
        return;
    }
    LINVARA_DUP2(nowhere, 2);
    LINVARA_CLOSE(nowhere);
}

QuietStderr::~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    LINVARA_DUP2(saved_, 2);
    LINVARA_CLOSE(saved_);
}

}  // namespace linvara::report
