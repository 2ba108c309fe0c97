#include "cli_reporter.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace linvara::cli {
namespace {

// Only a person at a terminal is asked; a script's input never answers.
bool InputIsTerminal() {
#ifdef _WIN32
    // _isatty also says yes for NUL and other character devices.
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
#else
    return isatty(STDIN_FILENO) != 0;
#endif
}

}  // namespace

bool CliReporter::Ask(const std::string& text) {
    if (assumeYes) return true;
    if (!InputIsTerminal()) return false;
    std::cerr << text << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

}  // namespace linvara::cli
