#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/temp_dir.h"

namespace linvara::testing {

std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& errFile) {
    std::string cmd = ShellQuote(program);
    for (const std::string& a : args) cmd += " " + ShellQuote(a);
    cmd += " >/dev/null 2>" + ShellQuote(errFile);
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(errFile)};
}

}  // namespace linvara::testing
