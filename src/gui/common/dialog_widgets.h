#pragma once
// Small widgets the dialogs build the same way; the object names let tests
// find them.
#include <functional>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QString;

namespace linvara::gui {

// A push button that Enter never presses: Enter must not close a dialog or
// start its work by accident.
QPushButton* Button(const char* text, const char* name);
QLineEdit* NamedEdit(const char* name);
QLineEdit* ReadOnlyEdit(const char* name);
// OK (reading `okText`) and 取消, in Chinese whatever translations are
// installed; OK calls `onOk`, 取消 rejects the dialog.
QDialogButtonBox* OkCancelButtons(QDialog& dialog, const QString& okText, std::function<void()> onOk);

}  // namespace linvara::gui
