// tow, towerbase, merge: shells over the tower-base and merge operations.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "merge/project_merge.h"
#include "towerbase/tow_file.h"
#include "towerbase/tower_base_survey.h"
#include "text/file_system.h"

namespace linvara::cli {
namespace {

bool RequireFile(const std::string& path, CliContext& ctx) {
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_regular_file(text::FsPath(path), ec)) return true;
    ctx.reporter.Error("文件不存在：" + path);
    ctx.exitCode = 1;
    return false;
}

struct TowOptions {
    std::string project;
};

void RunTow(const TowOptions& o, CliContext& ctx) {
    if (!RequireFile(o.project, ctx)) return;
    if (!OutputSpared({TowPathFor(o.project)}, {o.project}, ctx)) return;
    const TowExportResult result = ExportTow(o.project, ctx.reporter);
    if (!result.written || result.queryFailed) ctx.exitCode = 1;
}

struct TowerBaseOptions {
    std::string input;
    std::string output;
};

void RunTowerBase(const TowerBaseOptions& o, CliContext& ctx) {
    if (!RequireFile(o.input, ctx)) return;
    if (!OutputSpared({WithOrgExtension(o.output)}, {o.input}, ctx)) return;
    TowerBaseSurvey survey(ctx.reporter);
    survey.Load(o.input);
    for (const std::string& warning : survey.ReadWarnings()) ctx.reporter.Warning(warning);
    if (!survey.LoadSucceeded()) {
        ctx.exitCode = 1;
        return;
    }
    survey.OrgOutputPath = WithOrgExtension(o.output);
    if (survey.Convert() != TowerBaseSurvey::ConvertResult::Done || !survey.AllFilesWritten()) ctx.exitCode = 1;
}

struct MergeOptions {
    std::string folder;
    std::string target;
    std::vector<std::string> skip;
};

void RunMerge(const MergeOptions& o, CliContext& ctx) {
    std::error_code ec;
    if (!std::filesystem::is_directory(text::FsPath(o.folder), ec)) {
        ctx.reporter.Error("文件夹不存在：" + o.folder);
        ctx.exitCode = 1;
        return;
    }
    std::vector<MergeSource> sources = ListProjectFiles(o.folder);
    for (MergeSource& s : sources)
        for (const std::string& name : o.skip) s.checked = s.checked && s.fileName != name;
    if (MergeProjects(o.folder, sources, o.target, ctx.reporter) != MergeResult::Done) ctx.exitCode = 1;
}

}  // namespace

void RegisterTowerBaseCommands(CLI::App& app, CliContext& ctx) {
    auto tow = std::make_shared<TowOptions>();
    CLI::App* towCmd = app.add_subcommand("tow", "把工程的塔基断面数据导出为同名 .tow 文件");
    towCmd->add_option("project", tow->project, "工程数据文件 (*.PD)")->required();
    towCmd->callback([tow, &ctx] { RunTow(*tow, ctx); });

    auto tb = std::make_shared<TowerBaseOptions>();
    CLI::App* tbCmd = app.add_subcommand("towerbase", "塔基断面转换：每个中桩写出 OUT_<中桩>.org 和 OUT_<中桩>.INI");
    tbCmd->add_option("input", tb->input, "工程数据文件 (*.PD) 或塔基断面文件 (*.tow)")->required();
    tbCmd->add_option("-o,--output", tb->output, "输出ORG文件名 (*.org)")->required();
    tbCmd->callback([tb, &ctx] { RunTowerBase(*tb, ctx); });

    auto merge = std::make_shared<MergeOptions>();
    CLI::App* mergeCmd = app.add_subcommand("merge", "把文件夹中的全部 *.PD 工程合并到一个新工程");
    mergeCmd->add_option("folder", merge->folder, "源文件夹")->required();
    mergeCmd->add_option("-o,--output", merge->target, "合并后的工程文件 (*.PD)")->required();
    mergeCmd->add_option("--skip", merge->skip, "不合并的文件名 (可重复)")->allow_extra_args(false);
    mergeCmd->callback([merge, &ctx] { RunMerge(*merge, ctx); });
}

}  // namespace linvara::cli
