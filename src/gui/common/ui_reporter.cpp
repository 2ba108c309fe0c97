#include "common/ui_reporter.h"

#include <QApplication>
#include <QGuiApplication>

namespace linvara::gui {
namespace {

// A message box during long work must not show the wait cursor.
class NormalCursor {
public:
    NormalCursor() {
        if (QGuiApplication::overrideCursor()) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
            pushed_ = true;
        }
    }
    ~NormalCursor() {
        if (pushed_) QGuiApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool pushed_ = false;
};

}  // namespace

void UiReporter::Info(const std::string& text) {
    NormalCursor cursor;
    ui_.Info(QString::fromStdString(text));
}

void UiReporter::Warning(const std::string& text) {
    NormalCursor cursor;
    ui_.Warning(QString::fromStdString(text));
}

void UiReporter::Error(const std::string& text) {
    NormalCursor cursor;
    ui_.Error(QString::fromStdString(text));
}

bool UiReporter::Ask(const std::string& text) {
    NormalCursor cursor;
    return ui_.AskYesNo(QString::fromStdString(text));
}

}  // namespace linvara::gui
