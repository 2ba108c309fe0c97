#pragma once
#include "model/options.h"

namespace linvara::gui {

// The process-wide conversion options, set to the defaults at start-up and
// changed only by the settings dialog.
COptions& TheOptions();

}  // namespace linvara::gui
