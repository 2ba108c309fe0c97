#pragma once
#include <QRect>
#include <QString>
#include <memory>

class QWidget;

namespace linvara::gui {

class MainWindow;
class UiServices;

// Two thirds of the window's screen, centred (at least 800 × 560 where the
// screen allows): the size of a first start, kept when un-maximised.
QRect FirstGeometry(const QWidget& window);

// Start-up of the desktop program: options to their defaults, the main
// window titled and maximised, a project named on the command line opened.
class LinvaraApp {
public:
    explicit LinvaraApp(UiServices& ui);
    ~LinvaraApp();

    // `projectPath` may be empty. Returns the shown main window.
    MainWindow& InitInstance(const QString& projectPath);
    MainWindow* Window() const { return frame_.get(); }

private:
    UiServices& ui_;
    std::unique_ptr<MainWindow> frame_;
};

}  // namespace linvara::gui
