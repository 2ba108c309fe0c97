#include <filesystem>

#include "db/project_database.h"
#include "merge/project_merge.h"

namespace linvara {
namespace {

// The target may lie in the source folder (under any spelling of its path,
// or as a link): merging it into itself would double its rows.
bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

long long CheckedCount(const std::vector<MergeSource>& sources) {
    long long count = 0;
    for (const MergeSource& s : sources) count += s.checked ? 1 : 0;
    return count;
}

// Appends one source's working stake list and tower-base rows to the target;
// false when the source did not open or an append failed.
bool MergeOne(CProjectDatabase& target, const std::string& sourcePath, Reporter& reporter) {
    CProjectDatabase source(reporter);
    if (!source.OpenProject(sourcePath)) return true;  // not a project: skipped without a word
    DHPointList list;
    if (Status read = source.ReadStakeList(list); !read) reporter.Error(read.message());
    std::vector<TGDataUnit> rows;
    if (Status read = source.ReadTowerBaseRows(rows); !read) reporter.Error(read.message());
    bool ok = target.AppendOrder(list).ok();
    ok = target.AppendPoints(list).ok() && ok;
    ok = target.AppendTowerBaseRows(rows).ok() && ok;
    return ok;
}

}  // namespace

MergeResult MergeProjects(const std::string& folder, const std::vector<MergeSource>& sources,
                          const std::string& targetPath, Reporter& reporter) {
    if (folder.empty()) {
        reporter.Info("选择保存的文件路径");
        return MergeResult::NoFolder;
    }
    CProjectDatabase target(reporter);
    if (!target.OpenMergeTarget(targetPath)) {
        reporter.Error("创建合并文件失败！");
        return MergeResult::TargetFailed;
    }
    if (Status opened = target.OpenProject(targetPath); !opened) reporter.Error(opened.message());
    const long long total = CheckedCount(sources);
    long long done = 0;
    for (const MergeSource& s : sources) {
        if (!s.checked) continue;
        const std::string sourcePath = (std::filesystem::path(folder) / s.fileName).string();
        if (!IsSameFile(sourcePath, targetPath) && !MergeOne(target, sourcePath, reporter))
            reporter.Error("合并数据文件失败：" + sourcePath);
        reporter.Progress(++done, total);
    }
    reporter.Info("合并完成！");
    return MergeResult::Done;
}

}  // namespace linvara
