#include "common/output_refusal.h"

#include <string>
#include <vector>

#include "common/ui_services.h"
#include "text/output_guard.h"
#include "common/native_path.h"

namespace linvara::gui {

bool OutputRefused(UiServices& ui, const QString& output, std::initializer_list<QString> sources) {
    std::vector<std::string> paths;
    for (const QString& source : sources)
        if (!source.isEmpty()) paths.push_back(CorePath(source));
    const Status refused = text::RefuseOutputOverProject(CorePath(output), paths);
    if (refused) return false;
    ui.Error(QString::fromStdString(refused.message()));
    return true;
}

}  // namespace linvara::gui
