#include "project_session.h"

#include <filesystem>
#include <system_error>

namespace linvara::cli {

bool OpenProjectForCli(const std::string& path, CProjectDatabase& db, DHPointList& list, CliContext& ctx) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) {
        ctx.reporter.Error("文件不存在：" + path);
        ctx.exitCode = 1;
        return false;
    }
    if (!db.OpenProject(path)) {  // the reason has been reported
        ctx.exitCode = 1;
        return false;
    }
    bool readOk = true;
    list = db.ReadStakeList(readOk);
    if (!readOk) {  // "查找记录出错!" has been reported
        ctx.exitCode = 1;
        return false;
    }
    return true;
}

bool SaveProjectForCli(CProjectDatabase& db, const DHPointList& list, CliContext& ctx) {
    if (db.UpdateAllPoints(list) && db.RewriteOrder(list)) return true;
    ctx.reporter.Error("保存失败：" + db.Path());
    ctx.exitCode = 1;
    return false;
}

}  // namespace linvara::cli
