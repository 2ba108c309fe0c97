#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "text/file_system.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // main's arguments are in the ANSI code page, which cannot hold every
    // Chinese path: take them as UTF-8 from the wide command line, and let
    // the console show the UTF-8 messages. The console's code pages belong
    // to the window and outlive us: put them back for the programs after us.
    struct ConsoleCodePages {
        UINT output = GetConsoleOutputCP(), input = GetConsoleCP();
        ~ConsoleCodePages() {
            if (output != 0) SetConsoleOutputCP(output);
            if (input != 0) SetConsoleCP(input);
        }
    };
    static const ConsoleCodePages restoredAtExit;  // static: restored on any normal exit, std::exit too
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
    // Output as written, "\n" and all, the same bytes as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> utf8Args;
    int wideCount = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wideCount)) {
        for (int i = 0; i < wideCount; ++i) utf8Args.push_back(linvara::text::Utf8FromWide(wide[i]));
        LocalFree(wide);
    }
    std::vector<char*> utf8Argv;
    for (std::string& a : utf8Args) utf8Argv.push_back(a.data());
    utf8Argv.push_back(nullptr);
    if (!utf8Args.empty()) {
        argc = static_cast<int>(utf8Args.size());
        argv = utf8Argv.data();
    }
#endif
    CLI::App app{"Linvara电力格式转换 — command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "linvara-cli " LINVARA_VERSION);
    linvara::cli::CliContext ctx;
    linvara::cli::RegisterProjectCommands(app, ctx);
    linvara::cli::RegisterOrgCommands(app, ctx);
    linvara::cli::RegisterTowerBaseCommands(app, ctx);
    linvara::cli::RegisterExportCommands(app, ctx);
    linvara::cli::RegisterReportCommands(app, ctx);
    linvara::cli::RegisterImportCommands(app, ctx);
    linvara::cli::RegisterCheckCommands(app, ctx);
    linvara::cli::RegisterCleanCommands(app, ctx);
#ifdef LINVARA_WITH_PLAN
    linvara::cli::RegisterPlanCommands(app, ctx);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int rc = app.exit(e);
        return rc == 0 ? 0 : 2;
    } catch (const std::exception& e) {
        // A failure no command turned into its own message still ends in words, not an abort.
        ctx.reporter.Error(e.what());
        return 1;
    }
    return ctx.exitCode;
}
