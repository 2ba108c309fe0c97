#pragma once
// Small widgets the dialogs build the same way; the object names let tests
// find them.
class QLineEdit;
class QPushButton;

namespace linvara::gui {

// A push button that Enter never presses: Enter must not close a dialog or
// start its work by accident.
QPushButton* Button(const char* text, const char* name);
QLineEdit* NamedEdit(const char* name);
QLineEdit* ReadOnlyEdit(const char* name);

}  // namespace linvara::gui
