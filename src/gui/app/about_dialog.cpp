#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "app/build_date.h"
#include "text/format.h"

namespace linvara::gui {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent),
      buildDateLine_(QString::fromStdString(text::Format("Build Date: %s", BuildDateText(__DATE__).c_str()))) {
    setWindowTitle(QStringLiteral("关于 Linvara"));
    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/app.svg")).pixmap(48, 48));
    auto* version = new QLabel(QStringLiteral("Linvara，1.0 版"));
    auto* date = new QLabel(buildDateLine_);
    date->setObjectName("buildDateLabel");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(date, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(320);
}

QString AboutDialog::BuildDateLine() const { return buildDateLine_; }

}  // namespace linvara::gui
