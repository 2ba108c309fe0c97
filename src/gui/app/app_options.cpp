#include "app/app_options.h"

namespace linvara::gui {

COptions& TheOptions() {
    static COptions options;
    return options;
}

}  // namespace linvara::gui
