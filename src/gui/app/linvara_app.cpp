#include "app/linvara_app.h"

#include "app/main_window.h"
#include "common/ui_services.h"
#include "common/workspace.h"

#include <QGuiApplication>
#include <QScreen>

namespace linvara::gui {

QRect FirstGeometry(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    QSize size(available.width() * 2 / 3, available.height() * 2 / 3);
    size = size.expandedTo(QSize(800, 560)).boundedTo(available.size());
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(available.center());
    return rect;
}

LinvaraApp::LinvaraApp(UiServices& ui) : ui_(ui) {}

LinvaraApp::~LinvaraApp() = default;

MainWindow& LinvaraApp::InitInstance(const QString& projectPath) {
    frame_ = std::make_unique<MainWindow>(ui_);
    frame_->setWindowTitle(AppTitle());
    if (workspace::RestoreWindow(*frame_)) {
        frame_->show();
    } else {
        // The first start: two thirds of the screen, centred, so that the
        // window keeps a usable size when it is no longer maximised.
        frame_->setGeometry(FirstGeometry(*frame_));
        frame_->showMaximized();
    }
    if (!projectPath.isEmpty()) frame_->OpenProjectFile(projectPath);
    return *frame_;
}

}  // namespace linvara::gui
