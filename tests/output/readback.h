#pragma once
// What the tests that read our files back with other programs share: running
// a reader, and a stake list whose names and coordinates readers most easily
// get wrong.
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/dh_point_list.h"
#include "support/survey_points.h"

namespace linvara::testing {

struct ReaderRun {
    int exitCode = -1;  // -1 when the reader did not exit normally
    std::string out;    // its standard output; its errors go to the test log
};

// The readers are Linux programs: a Windows build has none of them.
inline ReaderRun RunReader(const std::string& command) {
    ReaderRun run;
#ifdef _WIN32
    (void)command;
    return run;
#else
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
#endif
}

inline bool HaveCommand(const std::string& name) {
#ifdef _WIN32
    (void)name;
    return false;
#else
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
#endif
}

// Names with Chinese characters, markup, quotes and spaces; coordinates with
// more digits than the files print, far from the origin and negative. The
// auxiliary point has no geodetic position and is left out of the KML.
inline DHPointList AwkwardStakes() {
    return {
        Geodetic(PlanePoint("转角J1", JStake, 3400123.456789, 500321.987654, 12.345678), 30.123456789012,
                 114.987654321098, 20.123456),
        Geodetic(PlanePoint("R&D <Z2>", ZStake, 3400150.111149, 500330.222251, 13.000049), 30.2, 114.3, 21.5),
        PlanePoint("辅 3 \"甲\"", AuxPoint, -3400000.5, -500000.25, -2.000051),
        Geodetic(PlanePoint("J'4 号", JStake, 0.000049, -0.000051, 0), -33.987654321049, -70.000000000051, -1.23456),
    };
}

// Whether `read` is `value` to the `decimals` decimals a file printed it with.
inline bool SameToPrinted(double read, double value, int decimals) {
    return std::fabs(read - value) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-6);
}

}  // namespace linvara::testing
