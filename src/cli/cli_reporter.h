#pragma once
#include <iostream>
#include <string>

#include "reporter.h"

namespace linvara::cli {

// Messages go to stderr, one per line. A question is answered Yes only with
// --yes, or by typing y/yes on a terminal.
class CliReporter final : public Reporter {
public:
    bool assumeYes = false;

    void Info(const std::string& text) override { std::cerr << text << '\n'; }
    void Warning(const std::string& text) override { std::cerr << text << '\n'; }
    void Error(const std::string& text) override { std::cerr << text << '\n'; }
    bool Ask(const std::string& text) override;
};

}  // namespace linvara::cli
