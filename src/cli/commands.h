#pragma once
#include <CLI/CLI.hpp>

#include "cli_reporter.h"
#include "project/project.h"
#include "status.h"
#include "text/file_system.h"

namespace linvara::cli {

// What every subcommand shares: the reporter and the exit code it sets
// (0 success, 1 failure; CLI11 itself exits 2 on a usage error).
struct CliContext {
    CliReporter reporter;
    int exitCode = 0;

    // Reports a failed status and sets the exit code; true when it succeeded.
    bool Check(const Status& status) {
        if (status) return true;
        reporter.Error(status.message());
        exitCode = 1;
        return false;
    }
};

// Opens a project as the desktop program does; false (reported) when it cannot be used.
inline bool OpenProject(Project& project, const std::string& path, CliContext& ctx) {
    return ctx.Check(project.Open(path));
}

// The save dialog of the desktop program adds ".org" to a name typed without
// an extension; the ORG and tower-base outputs then cut four characters off it.
inline std::string WithOrgExtension(const std::string& path) {
    return text::FsPath(path).has_extension() ? path : path + ".org";
}

// Each group of subcommands lives in its own file and registers itself here.
void RegisterProjectCommands(CLI::App& app, CliContext& ctx);    // info, order, sort, reset
void RegisterOrgCommands(CLI::App& app, CliContext& ctx);        // org
void RegisterTowerBaseCommands(CLI::App& app, CliContext& ctx);  // tow, towerbase, merge
void RegisterExportCommands(CLI::App& app, CliContext& ctx);     // export
void RegisterReportCommands(CLI::App& app, CliContext& ctx);     // report
void RegisterCheckCommands(CLI::App& app, CliContext& ctx);      // check
void RegisterImportCommands(CLI::App& app, CliContext& ctx);     // import
void RegisterCleanCommands(CLI::App& app, CliContext& ctx);      // clean
#ifdef LINVARA_WITH_PLAN
void RegisterPlanCommands(CLI::App& app, CliContext& ctx);       // plan
#endif

}  // namespace linvara::cli
