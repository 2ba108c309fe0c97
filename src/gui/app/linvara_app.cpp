#include "app/linvara_app.h"

#include "app/app_options.h"
#include "app/main_window.h"
#include "common/ui_services.h"

namespace linvara::gui {

LinvaraApp::LinvaraApp(UiServices& ui) : ui_(ui) {}

LinvaraApp::~LinvaraApp() = default;

MainWindow& LinvaraApp::InitInstance(const QString& projectPath) {
    SetDefaultOptions(TheOptions());
    frame_ = std::make_unique<MainWindow>(ui_);
    frame_->setWindowTitle(AppTitle());
    frame_->showMaximized();
    if (!projectPath.isEmpty()) frame_->OpenProjectFile(projectPath);
    return *frame_;
}

}  // namespace linvara::gui
