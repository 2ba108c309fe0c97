// clean: a copy of a project without the triggers and views it carries.
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "db/clean_copy.h"
#include "text/format.h"

namespace linvara::cli {
namespace {

struct CleanArgs {
    std::string project;
    std::string output;
};

void RunClean(const CleanArgs& args, CliContext& ctx) {
    std::size_t removed = 0;
    if (!ctx.Check(db::WriteCleanCopy(args.project, args.output, &removed))) return;
    std::cout << text::Format("已写入不含触发器/视图的副本：%s（去掉%zu个）\n", args.output.c_str(), removed);
}

}  // namespace

void RegisterCleanCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<CleanArgs>();
    CLI::App* cmd = app.add_subcommand("clean", "写出不含触发器/视图的工程副本（原文件不变）");
    cmd->add_option("project", args->project, "工程数据文件 (*.PD)")->required();
    cmd->add_option("-o,--output", args->output, "副本文件")->required();
    cmd->callback([args, &ctx] { RunClean(*args, ctx); });
}

}  // namespace linvara::cli
