#pragma once
#include <QString>

class QLineEdit;

namespace linvara::gui {

class UiServices;

// Numbers in edit fields, independent of the user's locale: shown in
// general notation with up to 15 significant digits, read back whole.
QString NumberText(double value);
// Reads the field; when it is not a number, says "请输入一个数字。", puts the
// focus into the field and returns false.
bool ReadNumberField(QLineEdit& field, UiServices& ui, double& value);

}  // namespace linvara::gui
