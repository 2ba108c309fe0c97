#include "model/options.h"

namespace linvara {
void SetDefaultOptions(COptions& options) { options = COptions{}; }
}  // namespace linvara
