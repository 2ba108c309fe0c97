#pragma once
#include "common/ui_services.h"

namespace linvara::gui {

// The extension of the first pattern of one filter ("成果文件 (*.dat *.DAT)" -> "dat"), or empty.
QString FilterSuffix(const QString& filter);

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
    OrgGateChoice AskBeforeOrg(const QString& text) override;
    bool OfferCleanCopy(const QString& text) override;
    QString GetOpenFileName(const QString& title, const QString& filter, const QString& start) override;
    QString GetSaveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                            const QString& suggested) override;
    QString GetExistingDirectory(const QString& title, const QString& start) override;
    bool Exec(QDialog& dialog) override;
};

}  // namespace linvara::gui
