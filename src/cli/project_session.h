#pragma once
#include <string>

#include "commands.h"
#include "db/project_database.h"
#include "model/dh_point_list.h"

namespace linvara::cli {

// Opens a project as the desktop program does (working tables created,
// upgraded and seeded as needed) and reads its working stake list in route
// order. `db` must report through ctx.reporter. On failure the reason is
// already on stderr, ctx.exitCode is 1 and false is returned; a path that
// does not exist is refused without creating anything.
bool OpenProjectForCli(const std::string& path, CProjectDatabase& db, DHPointList& list, CliContext& ctx);

// Writes the working stake list back as the desktop Save does (all points,
// then the route order). Reports "保存失败：<path>" and sets ctx.exitCode on
// failure.
bool SaveProjectForCli(CProjectDatabase& db, const DHPointList& list, CliContext& ctx);

}  // namespace linvara::cli
