#include "common/dialog_widgets.h"

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

}  // namespace linvara::gui
