#include <CLI/CLI.hpp>

#include "commands.h"

int main(int argc, char** argv) {
    CLI::App app{"Linvara电力格式转换 — command line"};
    app.require_subcommand(1);
    linvara::cli::CliContext ctx;
    linvara::cli::RegisterProjectCommands(app, ctx);
    linvara::cli::RegisterOrgCommands(app, ctx);
    linvara::cli::RegisterTowerBaseCommands(app, ctx);
    linvara::cli::RegisterExportCommands(app, ctx);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int rc = app.exit(e);
        return rc == 0 ? 0 : 2;
    }
    return ctx.exitCode;
}
