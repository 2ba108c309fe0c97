#include "commands.h"

namespace linvara::cli {

void RegisterOrgCommands(CLI::App& /*app*/, CliContext& /*ctx*/) {}

}  // namespace linvara::cli
