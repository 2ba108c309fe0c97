#include "dialogs/options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "common/number_field.h"

namespace linvara::gui {

OptionsDialog::OptionsDialog(const ConversionOptions& current, UiServices& ui, QWidget* parent)
    : QDialog(parent),
      options_(current),
      ui_(ui),
      useStartName_(new QCheckBox(QStringLiteral("设置开始点名"))),
      startName_(new QLineEdit(QString::fromStdString(current.StartName))),
      useOffsetRange_(new QCheckBox(QStringLiteral("设置偏距范围(m)"))),
      offsetRange_(new QLineEdit(NumberText(current.OffsetRange))),
      startMileage_(new QLineEdit(NumberText(current.StartMileage))) {
    setWindowTitle(QStringLiteral("设置"));
    useStartName_->setObjectName("useStartNameCheck");
    startName_->setObjectName("startNameEdit");
    useOffsetRange_->setObjectName("useOffsetRangeCheck");
    offsetRange_->setObjectName("offsetRangeEdit");
    startMileage_->setObjectName("startMileageEdit");
    useStartName_->setChecked(current.UseStartName != 0);
    useOffsetRange_->setChecked(current.UseOffsetRange != 0);
    startName_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), startName_));

    auto* group = new QGroupBox(QStringLiteral("设置"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(useStartName_, 0, 0);
    grid->addWidget(startName_, 0, 1);
    grid->addWidget(useOffsetRange_, 1, 0);
    grid->addWidget(offsetRange_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("起始里程:")), 2, 0);
    grid->addWidget(startMileage_, 2, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName("okButton");
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void OptionsDialog::OnOk() {
    double offsetRange = 0;
    double startMileage = 0;
    if (!ReadNumberField(*offsetRange_, ui_, offsetRange)) return;
    if (!ReadNumberField(*startMileage_, ui_, startMileage)) return;
    options_.UseStartName = useStartName_->isChecked() ? 1 : 0;
    options_.StartName = startName_->text().toStdString();
    options_.UseOffsetRange = useOffsetRange_->isChecked() ? 1 : 0;
    options_.OffsetRange = offsetRange;
    options_.StartMileage = startMileage;
    accept();
}

}  // namespace linvara::gui
