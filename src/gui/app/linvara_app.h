#pragma once
#include <QString>
#include <memory>

namespace linvara::gui {

class CMainFrame;
class UiServices;

// Start-up of the desktop program: options to their defaults, the main
// window titled and maximised, a project named on the command line opened.
class CLinvaraApp {
public:
    explicit CLinvaraApp(UiServices& ui);
    ~CLinvaraApp();

    // `projectPath` may be empty. Returns the shown main window.
    CMainFrame& InitInstance(const QString& projectPath);
    CMainFrame* MainFrame() const { return frame_.get(); }

private:
    UiServices& ui_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace linvara::gui
