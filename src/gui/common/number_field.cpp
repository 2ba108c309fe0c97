#include "common/number_field.h"

#include <QLineEdit>

#include "common/ui_services.h"
#include "text/format.h"

namespace linvara::gui {

QString NumberText(double value) { return QString::fromStdString(text::Format("%.15g", value)); }

bool ReadNumberField(QLineEdit& field, UiServices& ui, double& value) {
    if (text::ParseDouble(field.text().toStdString(), value)) return true;
    ui.Info(QStringLiteral("请输入一个数字。"));
    field.setFocus();
    field.selectAll();
    return false;
}

}  // namespace linvara::gui
