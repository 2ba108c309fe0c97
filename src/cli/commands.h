#pragma once
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cli_reporter.h"
#include "model/point_values.h"
#include "project/project.h"
#include "status.h"
#include "text/file_system.h"
#include "text/output_guard.h"

namespace linvara::cli {

// What every subcommand shares: the reporter and the exit code it sets
// (0 success, 1 failure; CLI11 itself exits 2 on a usage error).
struct CliContext {
    CliReporter reporter;
    int exitCode = 0;

    // Reports a failed status and sets the exit code; true when it succeeded.
    bool Check(const Status& status) {
        if (status) return true;
        ReportFailure(reporter, status);
        exitCode = 1;
        return false;
    }
};

// Opens a project as the desktop program does; false (reported) when it cannot be used.
inline bool OpenProject(Project& project, const std::string& path, CliContext& ctx) {
    return ctx.Check(project.Open(path));
}

// Opens a project for a conversion: refused (reported) when it holds no
// point or a value no output can carry, alike for every command.
inline bool OpenForConversion(Project& project, const std::string& path, CliContext& ctx) {
    return OpenProject(project, path, ctx) && ctx.Check(ConvertiblePoints(project.Points(), project.Path()));
}

// Refuses (reported) an output that is the project itself or another of the
// files the command reads; asked before the project is opened, since a first
// open writes to it.
inline bool OutputSpared(const std::vector<std::string>& outputs, const std::vector<std::string>& sources,
                         CliContext& ctx) {
    for (const std::string& output : outputs)
        if (!ctx.Check(text::RefuseOutputOverProject(output, sources))) return false;
    return true;
}

// The save dialog of the desktop program adds ".org" to a name typed without
// an extension; the ORG and tower-base outputs then replace that extension.
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
