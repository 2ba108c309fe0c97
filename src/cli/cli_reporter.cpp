#include "cli_reporter.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDIN_FILENO 0
#else
#include <unistd.h>
#endif

namespace linvara::cli {

bool CliReporter::Ask(const std::string& text) {
    if (assumeYes) return true;
    if (!isatty(STDIN_FILENO)) return false;
    std::cerr << text << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
}

}  // namespace linvara::cli
