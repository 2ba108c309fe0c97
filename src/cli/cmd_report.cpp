// report: the survey results workbook of a project, as the desktop program
// writes it.
#include <memory>
#include <string>

#include "commands.h"
#include "report/results_workbook.h"

namespace linvara::cli {
namespace {

struct ReportArgs {
    std::string project;
    std::string output;
};

void RunReport(const ReportArgs& args, CliContext& ctx) {
    if (!OutputSpared({args.output}, {args.project}, ctx)) return;
    Project project(ctx.reporter);
    if (!OpenForConversion(project, args.project, ctx)) return;
    if (ctx.Check(WriteProjectWorkbook(project, args.output, TodayText())))
        ctx.reporter.Info("成果表已写入：" + args.output);
}

}  // namespace

void RegisterReportCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<ReportArgs>();
    CLI::App* sub = app.add_subcommand("report", "成果表: write the survey results workbook (*.xlsx)");
    sub->add_option("project", args->project, "project file (*.PD)")->required();
    sub->add_option("-o,--output", args->output, "workbook to write (*.xlsx)")->required();
    sub->callback([args, &ctx] { RunReport(*args, ctx); });
}

}  // namespace linvara::cli
