#include "commands.h"

namespace linvara::cli {

void RegisterExportCommands(CLI::App& /*app*/, CliContext& /*ctx*/) {}

}  // namespace linvara::cli
