#pragma once
#include "common/ui_services.h"

namespace linvara::gui {

// Real message boxes and file dialogs, parented to the active window.
class QtUiServices final : public UiServices {
public:
    void Info(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    bool OkCancel(const QString& text) override;
    bool AskYesNoDefaultNo(const QString& text) override;
    bool OkCancelDefaultCancel(const QString& text) override;
    ConflictChoice AskConflict(const QString& text) override;
    QString GetOpenFileName(const QString& title, const QString& filter) override;
    QString GetSaveFileName(const QString& title, const QString& filter, const QString& defaultSuffix) override;
    QString GetExistingDirectory(const QString& title) override;
    bool Exec(QDialog& dialog) override;
};

}  // namespace linvara::gui
