#include "common/dialog_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

namespace linvara::gui {

QPushButton* Button(const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NamedEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLineEdit* ReadOnlyEdit(const char* name) {
    QLineEdit* edit = NamedEdit(name);
    edit->setReadOnly(true);
    return edit;
}

QDialogButtonBox* OkCancelButtons(QDialog& dialog, const QString& okText, std::function<void()> onOk) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(okText);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, std::move(onOk));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace linvara::gui
