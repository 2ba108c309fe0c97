// org: the line survey of a project to an ORG file, as "转换输出" does it.
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "commands.h"
#include "org/org_conversion.h"
#include "text/file_system.h"

namespace linvara::cli {
namespace {

struct OrgOptions {
    std::string project;
    std::string output;
};

// Converts the working stake list as stored: stored order, mileages and offsets.
void RunOrg(const OrgOptions& o, CliContext& ctx) {
    if (o.output.empty()) {
        ctx.reporter.Error("输出文件名为空");
        ctx.exitCode = 1;
        return;
    }
    const std::string named = WithOrgExtension(o.output);
    if (!OutputSpared({named, OrgFilePath(named)}, {o.project}, ctx)) return;
    Project project(ctx.reporter);
    if (!OpenForConversion(project, o.project, ctx)) return;
    ctx.exitCode = ctx.Check(ConvertToOrg(project.TakePoints(), named, ctx.reporter)) ? 0 : 1;
}

}  // namespace

void RegisterOrgCommands(CLI::App& app, CliContext& ctx) {
    auto options = std::make_shared<OrgOptions>();
    CLI::App* cmd = app.add_subcommand("org", "把工程的线路测量数据转换为ORG文件（道享数据文件）");
    cmd->add_option("project", options->project, "工程数据文件 (*.PD)")->required();
    cmd->add_option("-o,--output", options->output, "输出的ORG文件 (*.org)")->required();
    cmd->callback([options, &ctx] { RunOrg(*options, ctx); });
}

}  // namespace linvara::cli
