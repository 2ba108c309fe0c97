#include "model/options.h"

namespace linvara {
void SetDefaultOptions(ConversionOptions& options) { options = ConversionOptions{}; }
}  // namespace linvara
