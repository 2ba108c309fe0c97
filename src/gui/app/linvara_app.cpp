#include "app/linvara_app.h"

#include "app/app_globals.h"
#include "app/main_frame.h"
#include "app/ui_services.h"

namespace linvara::gui {

CLinvaraApp::CLinvaraApp(UiServices& ui) : ui_(ui) {}

CLinvaraApp::~CLinvaraApp() = default;

CMainFrame& CLinvaraApp::InitInstance(const QString& projectPath) {
    SetDefaultOptions(TheOptions());
    frame_ = std::make_unique<CMainFrame>(ui_);
    frame_->setWindowTitle(AppTitle());
    frame_->showMaximized();
    if (!projectPath.isEmpty()) frame_->OpenProjectFile(projectPath);
    return *frame_;
}

}  // namespace linvara::gui
