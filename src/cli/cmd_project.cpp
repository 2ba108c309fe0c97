#include "commands.h"

namespace linvara::cli {

void RegisterProjectCommands(CLI::App& /*app*/, CliContext& /*ctx*/) {}

}  // namespace linvara::cli
