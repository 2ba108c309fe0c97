// check: every problem of a project at once, each linked to its point.
#include <iostream>
#include <memory>
#include <string>

#include "check/finding_text.h"
#include "check/project_check.h"
#include "check/project_source.h"
#include "check/schema_code_rule.h"
#include "commands.h"

namespace linvara::cli {
namespace {

// Errors found: the project was checked, but its outputs would be wrong.
constexpr int kErrorsFound = 3;

struct CheckArgs {
    std::string project;
    std::string format = "text";
    check::CheckSettings settings;
};

void RunCheck(const CheckArgs& args, CliContext& ctx) {
    check::CheckSource source;
    if (!ctx.Check(check::ReadCheckSource(args.project, ctx.reporter, source))) return;
    check::Findings findings = check::CheckProject(source.points, source.towerBase, args.settings, source.latLon, source.stored);
    check::AddSchemaCodeFinding(source.schemaCode, findings);
    if (args.format == "json") {
        // stdout stays one JSON document; the summary goes beside it.
        std::cout << check::FindingsJson(findings);
        std::cerr << check::SummaryText(findings) << '\n';
    } else {
        std::cout << check::FindingsText(findings) << check::SummaryText(findings) << '\n';
    }
    ctx.exitCode = check::HasErrors(findings) ? kErrorsFound : 0;
}

}  // namespace

void RegisterCheckCommands(CLI::App& app, CliContext& ctx) {
    auto args = std::make_shared<CheckArgs>();
    CLI::App* cmd = app.add_subcommand("check", "检查工程数据：列出转换和输出前的所有问题（不保存工程）");
    cmd->add_option("project", args->project, "工程数据文件 (*.PD)")->required();
    cmd->add_option("--format", args->format, "输出格式：text 或 json")
        ->check(CLI::IsMember({"text", "json"}))
        ->capture_default_str();
    cmd->add_option("--max-turn", args->settings.maxTurnAngle, "J桩转角超过此值（度）视为线路折返")
        ->capture_default_str();
    cmd->add_option("--offset-range", args->settings.offsetRange, "距线路超过此值（米）的点超出偏距范围；0 不检查")
        ->capture_default_str();
    cmd->add_option("--max-distance", args->settings.maxDistance,
                    "J桩间距或点距线路超过此值（米）视为坐标有误；0 不检查")
        ->capture_default_str();
    cmd->callback([args, &ctx] { RunCheck(*args, ctx); });
}

}  // namespace linvara::cli
