#include "text/output_guard.h"

#include <filesystem>
#include <system_error>

#include "text/file_system.h"

namespace linvara::text {

bool IsSameExistingFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    const bool same = std::filesystem::equivalent(FsPath(a), FsPath(b), ec);
    return same && !ec;
}

Status RefuseOutputOverProject(const std::string& output, const std::vector<std::string>& sources) {
    for (const std::string& source : sources)
        if (IsSameExistingFile(output, source)) return Status::Failed("输出文件不能是工程文件本身：" + source);
    return Status::Ok();
}

Status RefuseOutputOverInput(const std::string& output, const std::string& input) {
    if (IsSameExistingFile(output, input)) return Status::Failed("输出文件不能是导入文件本身：" + input);
    return Status::Ok();
}

}  // namespace linvara::text
