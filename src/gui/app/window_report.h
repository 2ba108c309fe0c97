#pragma once
#include <QString>

namespace linvara::gui {

class MainWindow;

// For checking an installation without looking at it (the Windows packages
// are tested so under Wine): once the window has shown its project, writes
// to `path` its title, the list's row count and each row's texts
// (tab-separated, UTF-8), and a screenshot of the window as the screen shows
// it to `path`.png, then ends the program with 0, or 1 when either could not
// be written.
void ReportWindowThenQuit(MainWindow& window, const QString& path);

}  // namespace linvara::gui
