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

CliRun RunCommandLine(const std::string& program, const std::string& dir, const std::string& args) {
    const std::string outFile = dir + "/out.txt", errFile = dir + "/err.txt";
    const std::string command =
        ShellQuote(program) + " " + args + " >" + ShellQuote(outFile) + " 2>" + ShellQuote(errFile) + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(outFile), ReadFileBytes(errFile)};
}

}  // namespace linvara::testing
