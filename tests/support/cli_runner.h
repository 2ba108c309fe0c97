#pragma once
#include <string>
#include <vector>

namespace linvara::testing {

struct CliResult {
    int exitCode;     // -1 when the program did not exit normally
    std::string err;  // everything it wrote to stderr
};

// The argument in single quotes, safe for the shell.
std::string ShellQuote(const std::string& arg);

// Runs `program` with `args` through the shell, stdout discarded, stderr
// captured through `errFile`.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& errFile);

// What a command line of a program wrote to both streams.
struct CliRun {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out, err;
};

// Runs `program` with an argument text written as for the shell, from no
// input, capturing stdout and stderr through files in `dir`.
CliRun RunCommandLine(const std::string& program, const std::string& dir, const std::string& args);

}  // namespace linvara::testing
