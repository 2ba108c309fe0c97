#pragma once
// The point of an open project found by its name; a missing name fails the test.
#include <stdexcept>
#include <string>

#include "project/project.h"

namespace linvara::testing {

inline const DHPoint& Named(const Project& project, const std::string& name) {
    for (const DHPoint& p : project.Points())
        if (p.NewPtName == name) return p;
    throw std::runtime_error("no point " + name);
}

}  // namespace linvara::testing
