#pragma once
#include <QCursor>
#include <QGuiApplication>

namespace linvara::gui {

// The wait cursor while long work runs on the user-interface thread.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace linvara::gui
