#pragma once
#include <string>
#include <vector>

namespace linvara::testing {

struct CliResult {
    int exitCode;     // -1 when the program did not exit normally
    std::string err;  // everything it wrote to stderr
};

// The argument in single quotes, safe for the shell (for the external tools
// some Linux-only tests run).
std::string ShellQuote(const std::string& arg);

// Runs `program` with `args` directly, no shell between (posix_spawn or
// CreateProcessW), its input the null device and its two output streams
// written to `outFile` and `errFile` (the null device when empty). The
// exit code, -1 when it could not be run or did not exit normally.
int RunProcess(const std::string& program, const std::vector<std::string>& args, const std::string& outFile,
               const std::string& errFile);

// Runs `program` with `args`, stdout discarded, stderr captured through `errFile`.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& errFile);

// What a command line of a program wrote to both streams.
struct CliRun {
    int exitCode = -1;  // -1 when the program did not exit normally
    std::string out, err;
};

// Runs `program` with an argument text written as for the shell (words
// split at blanks; '…', "…" and \ quote as there), from no input,
// capturing stdout and stderr through files in `dir`.
CliRun RunCommandLine(const std::string& program, const std::string& dir, const std::string& args);

// The words of a shell-like argument text.
std::vector<std::string> SplitShellWords(const std::string& text);

}  // namespace linvara::testing
