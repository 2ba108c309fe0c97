#include "commands.h"

namespace linvara::cli {

void RegisterTowerBaseCommands(CLI::App& /*app*/, CliContext& /*ctx*/) {}

}  // namespace linvara::cli
