#include "support/cli_runner.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "text/file_system.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#endif

#include "support/temp_dir.h"

#ifndef _WIN32
extern char** environ;
#endif

namespace linvara::testing {

std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

#ifdef _WIN32
namespace {

// One argument as the C runtime's command-line parser reads it back.
std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < arg.size() && arg[i] == L'\\') {
            ++backslashes;
            ++i;
        }
        if (i == arg.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (arg[i] == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        out += arg[i];
    }
    return out + L"\"";
}

HANDLE OpenStream(const std::string& path, bool output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::wstring name = path.empty() ? L"NUL" : text::WidePath(path);
    return CreateFileW(name.c_str(), output ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       output ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunProcess(const std::string& program, const std::vector<std::string>& args, const std::string& outFile,
               const std::string& errFile) {
    std::wstring commandLine = QuoteArgument(text::WidePath(program));
    for (const std::string& a : args) commandLine += L" " + QuoteArgument(text::WidePath(a));
    HANDLE in = OpenStream("", false), out = OpenStream(outFile, true), err = OpenStream(errFile, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring programW = text::WidePath(program);
    const bool started = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
                         CreateProcessW(programW.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    for (HANDLE h : {in, out, err})
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const bool exited = GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exited ? static_cast<int>(code) : -1;
}
#else
int RunProcess(const std::string& program, const std::vector<std::string>& args, const std::string& outFile,
               const std::string& errFile) {
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, outFile.empty() ? "/dev/null" : outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, errFile.empty() ? "/dev/null" : errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (rc != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& errFile) {
    const int code = RunProcess(program, args, "", errFile);
    return {code, ReadFileBytes(errFile)};
}

std::vector<std::string> SplitShellWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const std::size_t close = text.find('\'', i + 1);
            word += text.substr(i + 1, close - i - 1);
            i = close == std::string::npos ? text.size() : close;
        } else if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size() && std::string("\"\\$`").find(text[i + 1]) != std::string::npos) ++i;
                word += text[i];
            }
        } else if (c == '\\' && i + 1 < text.size()) {
            word += text[++i];
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

CliRun RunCommandLine(const std::string& program, const std::string& dir, const std::string& args) {
    const std::string outFile = dir + "/out.txt", errFile = dir + "/err.txt";
    const int code = RunProcess(program, SplitShellWords(args), outFile, errFile);
    return {code, ReadFileBytes(outFile), ReadFileBytes(errFile)};
}

}  // namespace linvara::testing
