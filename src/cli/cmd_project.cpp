// info, order, sort, reset: the project commands, each a shell over the same
// core calls the desktop program makes.
#include <cmath>
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "model/dh_point.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "text/format.h"

namespace linvara::cli {
namespace {

constexpr const char* kResetQuestion = "已经编辑和排序好的数据将丢失，确定把数据还原到最初的状态吗？";

struct SequenceArgs {
    std::string path;
    double startMileage = 0;
    std::string startName;
    double offsetRange = 0;
    CLI::Option* startNameOption = nullptr;
    CLI::Option* offsetRangeOption = nullptr;
};

// The start name is the first number given to detail points: digits only.
const CLI::Validator kDigits(
    [](std::string& value) {
        bool ok = !value.empty();
        for (char c : value) ok = ok && c >= '0' && c <= '9';
        return ok ? std::string() : "must be digits only: " + value;
    },
    "DIGITS");

ConversionOptions OptionsFrom(const SequenceArgs& args) {
    ConversionOptions options;
    options.StartMileage = args.startMileage;
    if (args.startNameOption->count() > 0) {
        options.UseStartName = 1;
        options.StartName = args.startName;
    }
    if (args.offsetRangeOption->count() > 0) {
        options.UseOffsetRange = 1;
        options.OffsetRange = args.offsetRange;
    }
    return options;
}

// The length of the J-stake line, or why there is none.
std::string RouteLength(const DHPointList& jStakes) {
    double length = 0;
    for (size_t i = 0; i < jStakes.size(); ++i) {
        if (!IsSurveyValue(jStakes[i].Dx) || !IsSurveyValue(jStakes[i].Dy))
            return WithPoint("无法计算，J桩坐标不是有效的测量值", {jStakes[i].NewPtName, -1, jStakes[i].GPS_ID});
        if (i > 0) length += std::hypot(jStakes[i].Dx - jStakes[i - 1].Dx, jStakes[i].Dy - jStakes[i - 1].Dy);
    }
    return text::Format("%.3f m", length);
}

std::string Summary(const Project& project) {
    const DHPointList& list = project.Points();
    int perKind[7] = {};
    int otherKinds = 0;
    for (const DHPoint& p : list) {
        if (p.DHType >= 0 && p.DHType <= 6)
            ++perKind[p.DHType];
        else
            ++otherKinds;
    }
    const DHPointList jStakes = JStakeList(list);
    std::string out = "文件：" + project.Path() + "\n工程：" + project.Title() + "\n";
    text::AppendFormat(out, "点数：%zu\n", list.size());
    for (int kind = 0; kind <= 6; ++kind) text::AppendFormat(out, "  %s：%d\n", DHTypeName(kind), perKind[kind]);
    if (otherKinds > 0) text::AppendFormat(out, "  其他：%d\n", otherKinds);
    text::AppendFormat(out, "J桩数：%zu\n", jStakes.size());
    out += "线路长度：" + RouteLength(jStakes) + "\n";
    return out;
}

void RunInfo(const std::string& path, CliContext& ctx) {
    Project project(ctx.reporter);
    if (!OpenProject(project, path, ctx)) return;
    std::cout << Summary(project);
}

// Opening said why a read-only project cannot be changed; saying it again adds nothing.
bool Writable(const Project& project, CliContext& ctx) {
    if (project.ReadOnlyReason().empty()) return true;
    ctx.exitCode = 1;
    return false;
}

// Orders or sorts the working stake list, then saves it as the desktop Save
// does. A save refused because another program changed the project meanwhile
// stores nothing.

void RunSequence(const SequenceArgs& args, bool autoOrder, CliContext& ctx) {
    Project project(ctx.reporter);
    if (!OpenForConversion(project, args.path, ctx) || !Writable(project, ctx)) return;
    project.SetOptions(OptionsFrom(args));
    if (autoOrder)
        project.AutoOrder();
    else
        project.SortByMileage();
    if (!ctx.Check(project.Save())) return;
    std::cout << text::Format("%s：%zu 个点，%zu 个J桩\n", autoOrder ? "自动J桩排序完成" : "里程排序完成",
                              project.Points().size(), JStakeList(project.Points()).size());
}

void RunReset(const std::string& path, CliContext& ctx) {
    Project project(ctx.reporter);
    if (!OpenProject(project, path, ctx) || !Writable(project, ctx)) return;
    if (!ctx.reporter.Ask(kResetQuestion)) {
        ctx.reporter.Error("未还原：需要确认（--yes）");
        ctx.exitCode = 1;
        return;
    }
    if (!ctx.Check(project.ResetToSurvey())) return;
    std::cout << text::Format("数据已还原：%zu 个点\n", project.Points().size());
}

void AddProjectArgument(CLI::App& sub, std::string& path) {
    sub.add_option("project", path, "project file (*.PD)")->required();
}

void RegisterInfo(CLI::App& app, CliContext& ctx) {
    auto path = std::make_shared<std::string>();
    CLI::App* sub = app.add_subcommand("info", "open a project as the desktop program does and summarise it");
    AddProjectArgument(*sub, *path);
    sub->callback([path, &ctx] { RunInfo(*path, ctx); });
}

void RegisterSequence(CLI::App& app, CliContext& ctx, bool autoOrder) {
    auto args = std::make_shared<SequenceArgs>();
    CLI::App* sub = autoOrder
        ? app.add_subcommand("order", "自动J桩排序: order the J stakes, refer every point to them, sort, save")
        : app.add_subcommand("sort", "里程排序: sort by mileage, renumber the detail points, save");
    AddProjectArgument(*sub, args->path);
    if (autoOrder) sub->add_option("--start-mileage", args->startMileage, "起始里程 (m), default 0");
    args->startNameOption =
        sub->add_option("--start-name", args->startName, "设置开始点名: first number of detail points")
            ->check(kDigits);
    args->offsetRangeOption =
        sub->add_option("--offset-range", args->offsetRange, "设置偏距范围(m): smaller offsets become 0");
    sub->callback([args, autoOrder, &ctx] { RunSequence(*args, autoOrder, ctx); });
}

void RegisterReset(CLI::App& app, CliContext& ctx) {
    auto path = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    CLI::App* sub = app.add_subcommand("reset", "restore the working tables to the collector's survey");
    AddProjectArgument(*sub, *path);
    sub->add_flag("--yes", *yes, "confirm that every edit, name and order is discarded");
    sub->callback([path, yes, &ctx] {
        ctx.reporter.assumeYes = *yes;
        RunReset(*path, ctx);
    });
}

}  // namespace

void RegisterProjectCommands(CLI::App& app, CliContext& ctx) {
    RegisterInfo(app, ctx);
    RegisterSequence(app, ctx, true);
    RegisterSequence(app, ctx, false);
    RegisterReset(app, ctx);
}

}  // namespace linvara::cli
