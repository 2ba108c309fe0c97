#include "app/gui_resources.h"

#include <QtGlobal>

void InitGuiResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)done;
}
