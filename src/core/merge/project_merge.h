#pragma once
#include <string>
#include <vector>

#include "reporter.h"

namespace linvara {

// One row of the merge list: a project file of the source folder.
struct MergeSource {
    std::string fileName;  // without folder
    bool checked = true;
};

// The *.PD files of `folder` (extension matched without regard to case,
// sub-folders skipped), ordered by the bytes of their names, all checked.
std::vector<MergeSource> ListProjectFiles(const std::string& folder);

enum class MergeResult {
    NoFolder,
    TargetFailed,
    Done,        // every checked source merged
    Incomplete,  // some sources failed; the others are merged
};

// Whether an existing target is added to or replaced.
enum class MergeTarget { Append, Replace };

// Copies the working stake list and the tower-base rows of every checked
// source into the target, in list order, each source in one transaction:
// all of it or nothing. Points whose GPS_ID the target already holds, and
// tower-base rows it already holds, are left out, so merging a source twice
// adds nothing the second time. With Replace the new target is built beside
// an existing one and renamed over it when complete, so a failure keeps the
// old one. Reports a missing folder, "创建合并文件失败！…", "合并完成！"
// (with what was left out) as Done, or a summary naming every source that
// failed and why; Progress(done, total) per source.
MergeResult MergeProjects(const std::string& folder, const std::vector<MergeSource>& sources,
                          const std::string& targetPath, Reporter& reporter,
                          MergeTarget mode = MergeTarget::Append);

}  // namespace linvara
