#pragma once
#include <QString>

class QDialog;

namespace linvara::gui {

// The answer to "the project file was changed by another program".
enum class ConflictChoice {
    KeepMine,    // store this window's data over the other program's changes
    LoadTheirs,  // read the file again, dropping this window's unsaved changes
    Cancel,      // neither, for now
};

// The answer to "the check found problems that would spoil the ORG file".
enum class OrgGateChoice {
    ShowProblems,   // 查看问题: show the check's findings instead of converting
    ConvertAnyway,  // 仍然转换
    Cancel,         // 取消, Escape or closing the box: neither
};

// Everything that would stop and wait for a person: message boxes, file
// dialogs and modal dialogs. The program shows real ones; tests script the
// answers so they never block.
class UiServices {
public:
    virtual ~UiServices() = default;

    // A message with the application title as caption.
    virtual void Info(const QString& text) = 0;
    // A message with the caption "提示" and a warning icon.
    virtual void Warning(const QString& text) = 0;
    virtual void Error(const QString& text) = 0;
    // Yes/No question; true only for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // OK/Cancel question; true for OK.
    virtual bool OkCancel(const QString& text) = 0;
    // The same where a slip would destroy work: Return and Escape choose No (Cancel).
    virtual bool AskYesNoDefaultNo(const QString& text) { return AskYesNo(text); }
    virtual bool OkCancelDefaultCancel(const QString& text) { return OkCancel(text); }
    // The three-way question asked when a save or an edit meets another
    // program's changes; closing the box is Cancel.
    virtual ConflictChoice AskConflict(const QString& text) = 0;
    // Asked before an ORG conversion; Return and Escape choose Cancel.
    virtual OrgGateChoice AskBeforeOrg(const QString& text) = 0;
    // A warning about a project file's triggers and views with a button that
    // writes a copy without them; true when that button was chosen.
    virtual bool OfferCleanCopy(const QString& text) {
        Warning(text);
        return false;
    }

    // Filters in Qt's form "text (*.a);;text (*.b)". Empty result = cancelled.
    // `start` is the folder the dialog opens in (empty: the last one).
    virtual QString GetOpenFileName(const QString& title, const QString& filter, const QString& start) = 0;
    // `defaultSuffix` is appended to names typed without an extension (the
    // chosen filter's own when it names one); overwriting an existing file is
    // confirmed. `suggested` is the folder and name offered.
    virtual QString GetSaveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                    const QString& suggested) = 0;
    virtual QString GetExistingDirectory(const QString& title, const QString& start) = 0;

    // Runs a modal dialog; true when it was accepted.
    virtual bool Exec(QDialog& dialog) = 0;
};

// The application title: every message box caption but "提示".
QString AppTitle();

}  // namespace linvara::gui
