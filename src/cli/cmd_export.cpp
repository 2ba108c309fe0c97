// export: "文件输出" from the command line — one result file of a project's
// working stake list, through the same writer as the desktop dialog.
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "output/result_kinds.h"
#include "output/result_writer.h"
#include "text/format.h"

namespace linvara::cli {
namespace {

struct ExportArgs {
    std::string project;
    std::string kind;
    std::string output;
    bool kmz = false;
};

const CLI::Validator kKindValidator(
    [](std::string& value) {
        return ParseResultKind(value) >= 0 ? std::string() : "unknown result kind: " + value + " (see --help)";
    },
    "KIND");

std::string KindList() {
    std::string out = "Result kinds (--kind takes the number or the name):\n";
    for (const ResultKindInfo& info : ResultKinds())
        text::AppendFormat(out, "  %2d  %-15s %s\n", info.kind, info.shortName, info.text);
    return out;
}

// "result kind, 0..11 or its name (listed below)"
std::string KindOptionHelp() {
    return text::Format("result kind, 0..%d or its name (listed below)", static_cast<int>(ResultKinds().size()) - 1);
}

void RunExport(const ExportArgs& args, CliContext& ctx) {
    const int kind = ParseResultKind(args.kind);
    if (args.kmz && !KindPacksAsKmz(kind)) throw CLI::ValidationError("--kmz", "只用于 KML（--kind kml）：--kind " + args.kind);
    if (!OutputSpared({args.output}, {args.project}, ctx)) return;
    Project project(ctx.reporter);
    if (!OpenForConversion(project, args.project, ctx)) return;
    const KmlPacking packing = args.kmz ? KmlPacking::Kmz : KmlPacking::Kml;
    ctx.exitCode = ctx.Check(WriteResultFile(project.Points(), args.output, kind, ctx.reporter, packing).status()) ? 0 : 1;
}

}  // namespace

void RegisterExportCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<ExportArgs>();
    CLI::App* sub = app.add_subcommand("export", "文件输出: write one result file of the working stake list");
    // --list-kinds answers alone: the options a conversion needs are not asked for.
    sub->add_flag_callback(
           "--list-kinds",
           [] {
               std::cout << ResultKindTable() << std::flush;
               throw CLI::Success();
           },
           "print one line per result kind (number, name, extension; tab-separated) and exit")
        ->trigger_on_parse();
    sub->add_option("project", args->project, "project file (*.PD)")->required();
    sub->add_option("-k,--kind", args->kind, KindOptionHelp())->required()->check(kKindValidator);
    sub->add_option("-o,--output", args->output, "result file to write")->required();
    sub->add_flag("--kmz", args->kmz,
                  "with --kind kml: a KMZ archive (the KML and its stake icon), for viewers without internet");
    sub->footer(KindList());
    sub->callback([args, &ctx] { RunExport(*args, ctx); });
}

}  // namespace linvara::cli
