#include <CLI/CLI.hpp>

#include "commands.h"

int main(int argc, char** argv) {
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
