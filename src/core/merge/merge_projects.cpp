#include "db/merge_target_database.h"
#include "db/project_database.h"
#include "merge/project_merge.h"
#include "status.h"
#include "text/atomic_path.h"
#include "text/format.h"
#include "text/file_system.h"
#include "text/output_guard.h"

namespace linvara {
namespace {

// folder/name; on Windows with the separator the folder is written with,
// so a path reads in messages as the user typed it.
std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
#ifdef _WIN32
    if (folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + (folder.find('\\') != std::string::npos ? "\\" : "/") + name;
#else
    return folder.back() == '/' ? folder + name : folder + "/" + name;
#endif
}

long long CheckedCount(const std::vector<MergeSource>& sources) {
    long long count = 0;
    for (const MergeSource& s : sources) count += s.checked ? 1 : 0;
    return count;
}

// Appends one source's working stake list and tower-base rows to the
// target; the failure names the cause.
Status MergeOne(MergeTargetDatabase& target, MergeTargetIndex& index, AppendCounts& counts,
                const std::string& sourcePath, Reporter& reporter) {
    ProjectDatabase source(reporter);
    if (Status opened = source.OpenProject(sourcePath); !opened) return opened;
    DHPointList list;
    if (Status read = source.ReadStakeList(list); !read) return read;
    std::vector<TGDataUnit> rows;
    if (Status read = source.ReadTowerBaseRows(rows); !read) return read;
    LatLonBasis basis;
    if (Status read = source.ReadLatLonBasis(basis); !read) return read;
    return target.AppendProject(list, rows, index, counts, basis.origins);
}

std::string DoneText(const AppendCounts& counts) {
    std::string text = "合并完成！";
    if (counts.skippedPoints > 0 || counts.skippedTowerRows > 0)
        text += text::Format("\n合并文件中已有的%zu个点、%zu行塔基断面数据未重复添加。", counts.skippedPoints,
                             counts.skippedTowerRows);
    return text;
}

// Merges into `writePath`; `targetPath` is the file the user chose (the
// same unless it is being replaced).
MergeResult MergeInto(const std::string& folder, const std::vector<MergeSource>& sources,
                      const std::string& targetPath, const std::string& writePath, Reporter& reporter) {
    MergeTargetDatabase target(reporter);
    MergeTargetIndex index;
    Status ready = target.Open(writePath);
    if (ready) ready = target.ReadIndex(index);
    if (!ready) {
        reporter.Error(WithCause("创建合并文件失败！", ready.message()));
        return MergeResult::TargetFailed;
    }
    const long long total = CheckedCount(sources);
    long long done = 0;
    AppendCounts counts;
    std::vector<std::string> failures;
    for (const MergeSource& s : sources) {
        if (!s.checked) continue;
        const std::string sourcePath = JoinPath(folder, s.fileName);
        // The target may lie in the source folder (under any spelling of its
        // path, or as a link): merging it into itself would double its rows.
        if (!text::IsSameExistingFile(sourcePath, targetPath))
            if (Status merged = MergeOne(target, index, counts, sourcePath, reporter); !merged)
                failures.push_back(sourcePath + "：" + merged.message());
        reporter.Progress(++done, total);
    }
    if (failures.empty()) {
        reporter.Done(DoneText(counts));
        return MergeResult::Done;
    }
    std::string summary = text::Format("合并未全部完成：%lld个文件已合并，%zu个文件失败：", total - static_cast<long long>(failures.size()),
                                       failures.size());
    for (const std::string& failure : failures) summary += "\n" + failure;
    reporter.Error(summary);
    return MergeResult::Incomplete;
}

}  // namespace

MergeResult MergeProjects(const std::string& folder, const std::vector<MergeSource>& sources,
                          const std::string& targetPath, Reporter& reporter, MergeTarget mode) {
    if (folder.empty()) {
        reporter.Warning("请先选择要合并的数据文件所在的文件夹");
        return MergeResult::NoFolder;
    }
    if (targetPath.empty()) {
        reporter.Warning("请先选择合并后保存的文件");
        return MergeResult::TargetFailed;
    }
    if (mode == MergeTarget::Append)
        return MergeInto(folder, sources, targetPath, targetPath, reporter);
    // A replaced target that is one of the checked sources would lose that
    // source's survey: it is merged into the others only by appending.
    for (const MergeSource& s : sources)
        if (Status refused = text::RefuseOutputOverProject(targetPath, {JoinPath(folder, s.fileName)});
            s.checked && !refused) {
            reporter.Error(refused.message());
            return MergeResult::TargetFailed;
        }
    // The old target stays whole until the new one is complete.
    text::AtomicPath replacement(targetPath);
    if (!replacement.Open()) {
        reporter.Error(WithCause("创建合并文件失败：" + targetPath, replacement.Error()));
        return MergeResult::TargetFailed;
    }
    const MergeResult result = MergeInto(folder, sources, targetPath, replacement.TempPath(), reporter);
    if (result == MergeResult::TargetFailed) return result;
    if (!replacement.Commit()) {
        reporter.Error(WithCause("创建合并文件失败：" + targetPath, replacement.Error()));
        return MergeResult::TargetFailed;
    }
    return result;
}

}  // namespace linvara
