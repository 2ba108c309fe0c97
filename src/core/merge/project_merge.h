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

enum class MergeResult { NoFolder, TargetFailed, Done };

// Copies the working stake list and the tower-base rows of every checked
// source into the target, in list order. Reports "选择保存的文件路径",
// "创建合并文件失败！" or "合并完成！", and Progress(done, total) per source.
MergeResult MergeProjects(const std::string& folder, const std::vector<MergeSource>& sources,
                          const std::string& targetPath, Reporter& reporter);

}  // namespace linvara
