#include "dialogs/j_stake_appoint_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui_services.h"

namespace linvara::gui {
namespace {

void Preselect(QComboBox* combo, const std::string& name) {
    const int at = combo->findText(QString::fromStdString(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(at >= 0 ? at : (combo->count() > 0 ? 0 : -1));
}

}  // namespace

JStakeAppointDialog::JStakeAppointDialog(DHPointList jStakes, UiServices& ui, QWidget* parent)
    : QDialog(parent), jStakes_(std::move(jStakes)), ui_(ui), startCombo_(new QComboBox), endCombo_(new QComboBox) {
    setWindowTitle(QStringLiteral("指定J桩"));
    startCombo_->setObjectName("startCombo");
    endCombo_->setObjectName("endCombo");
    // Entries are positions: two stakes of the same name stay two entries.
    for (const DHPoint& stake : jStakes_) {
        startCombo_->addItem(QString::fromStdString(stake.NewPtName));
        endCombo_->addItem(QString::fromStdString(stake.NewPtName));
    }
    auto* group = new QGroupBox(QStringLiteral("指定J桩"));
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("起点："), startCombo_);
    form->addRow(QStringLiteral("终点："), endCombo_);
    startCombo_->setMinimumWidth(160);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName("okButton");
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &JStakeAppointDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

void JStakeAppointDialog::SetStartName(const std::string& name) { Preselect(startCombo_, name); }
void JStakeAppointDialog::SetEndName(const std::string& name) { Preselect(endCombo_, name); }

void JStakeAppointDialog::OnOk() {
    const int s = startCombo_->currentIndex();
    const int e = endCombo_->currentIndex();
    if (s == e || s < 0 || e < 0) {
        ui_.Info(QStringLiteral("起点J桩和终点J桩不能为同一J桩，请检查！"));
        return;
    }
    start_ = jStakes_[static_cast<size_t>(s)];
    end_ = jStakes_[static_cast<size_t>(e)];
    startName_ = startCombo_->currentText().toStdString();
    endName_ = endCombo_->currentText().toStdString();
    accept();
}

}  // namespace linvara::gui
