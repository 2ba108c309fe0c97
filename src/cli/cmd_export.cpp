// export: "文件输出" from the command line — one result file of a project's
// working stake list, through the same writer as the desktop dialog.
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

constexpr int kKmlKind = 11;

// The kind of "0".."11" or of a short name; -1 when there is none.
int ParseKind(const std::string& value) {
    for (const ResultKindInfo& info : ResultKinds())
        if (value == info.shortName || value == std::to_string(info.kind)) return info.kind;
    return -1;
}

const CLI::Validator kKindValidator(
    [](std::string& value) {
        return ParseKind(value) >= 0 ? std::string() : "unknown result kind: " + value + " (see --help)";
    },
    "KIND");

std::string KindList() {
    std::string out = "Result kinds (--kind takes the number or the name):\n";
    for (const ResultKindInfo& info : ResultKinds())
        text::AppendFormat(out, "  %2d  %-15s %s\n", info.kind, info.shortName, info.text);
    return out;
}

void RunExport(const ExportArgs& args, CliContext& ctx) {
    const int kind = ParseKind(args.kind);
    if (args.kmz && kind != kKmlKind) throw CLI::ValidationError("--kmz", "只用于 KML（--kind kml）：--kind " + args.kind);
    if (!OutputSpared({args.output}, {args.project}, ctx)) return;
    Project project(ctx.reporter);
    if (!OpenForConversion(project, args.project, ctx)) return;
    const KmlPacking packing = args.kmz ? KmlPacking::Kmz : KmlPacking::Kml;
    ctx.exitCode = WriteResultFile(project.Points(), args.output, kind, ctx.reporter, nullptr, packing) ? 0 : 1;
}

}  // namespace

void RegisterExportCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<ExportArgs>();
    CLI::App* sub = app.add_subcommand("export", "文件输出: write one result file of the working stake list");
    sub->add_option("project", args->project, "project file (*.PD)")->required();
    sub->add_option("-k,--kind", args->kind, "result kind, 0..11 or its name (listed below)")
        ->required()
        ->check(kKindValidator);
    sub->add_option("-o,--output", args->output, "result file to write")->required();
    sub->add_flag("--kmz", args->kmz,
                  "with --kind kml: a KMZ archive (the KML and its stake icon), for viewers without internet");
    sub->footer(KindList());
    sub->callback([args, &ctx] { RunExport(*args, ctx); });
}

}  // namespace linvara::cli
