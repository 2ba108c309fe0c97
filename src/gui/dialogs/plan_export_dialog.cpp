#include "dialogs/plan_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/dialog_widgets.h"
#include "common/ui_services.h"

namespace linvara::gui {
namespace {

QSpinBox* PixelField(int minimum, int value, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setRange(minimum, kMaxPlanSide);
    field->setSuffix(QStringLiteral(" 像素"));
    field->setValue(value);
    return field;
}

}  // namespace

PlanExportDialog::PlanExportDialog(const QString& suggestedPath, UiServices& ui, QWidget* parent)
    : QDialog(parent), ui_(ui) {
    setWindowTitle(QStringLiteral("导出平面图"));
    pathField_ = new QLineEdit(QDir::toNativeSeparators(suggestedPath), this);
    pathField_->setMinimumWidth(360);
    QPushButton* browse = Button("浏览…", "browseButton");
    connect(browse, &QPushButton::clicked, this, &PlanExportDialog::OnBrowse);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathField_);
    pathRow->addWidget(browse);

    width_ = PixelField(kMinPlanWidth, options_.size.width(), this);
    height_ = PixelField(kMinPlanHeight, options_.size.height(), this);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel(QStringLiteral("×"), this));
    sizeRow->addWidget(height_);

    paper_ = new QComboBox(this);
    paper_->addItem(QStringLiteral("A4"), static_cast<int>(QPageSize::A4));
    paper_->addItem(QStringLiteral("A3"), static_cast<int>(QPageSize::A3));
    scale_ = new QComboBox(this);
    scale_->setEditable(true);
    scale_->addItems({kFitToPage, QStringLiteral("1:500"), QStringLiteral("1:1000"), QStringLiteral("1:2000"),
                      QStringLiteral("1:5000"), QStringLiteral("1:10000")});
    labels_ = new QCheckBox(QStringLiteral("标注点名"), this);
    labels_->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("文件(PNG/SVG/PDF):"), pathRow);
    form->addRow(QStringLiteral("图像大小(PNG/SVG):"), sizeRow);
    form->addRow(QStringLiteral("纸张(PDF):"), paper_);
    form->addRow(QStringLiteral("比例(PDF):"), scale_);
    form->addRow(QString(), labels_);
    QDialogButtonBox* buttons = OkCancelButtons(*this, QStringLiteral("导出"), [this] { OnOk(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(pathField_, &QLineEdit::textChanged, this, &PlanExportDialog::FollowFormat);
    FollowFormat();
}

void PlanExportDialog::OnBrowse() {
    const QString path = ui_.GetSaveFileName(QStringLiteral("导出平面图"),
                                             QStringLiteral("PNG 图像 (*.png);;SVG 图形 (*.svg);;PDF 文件 (*.pdf)"),
                                             QStringLiteral("png"), QDir::fromNativeSeparators(pathField_->text()));
    if (!path.isEmpty()) pathField_->setText(QDir::toNativeSeparators(path));
}

void PlanExportDialog::FollowFormat() {
    const std::optional<PlanFormat> format = PlanFormatOf(pathField_->text());
    const bool pdf = format == PlanFormat::Pdf;
    width_->setEnabled(!pdf);
    height_->setEnabled(!pdf);
    paper_->setEnabled(pdf || !format);
    scale_->setEnabled(pdf || !format);
}

void PlanExportDialog::OnOk() {
    const QString path = QDir::fromNativeSeparators(pathField_->text().trimmed());
    if (path.isEmpty()) {
        ui_.Warning(QStringLiteral("请选择平面图文件。"));
        return;
    }
    if (!PlanFormatOf(path)) {
        ui_.Warning(QStringLiteral("平面图只能写成 .png、.svg 或 .pdf 文件：") + path);
        return;
    }
    const int scale = ParsePlanScale(scale_->currentText());
    if (scale < 0) {
        ui_.Warning(QStringLiteral("比例应为 1:N，例如 1:2000：") + scale_->currentText());
        return;
    }
    path_ = path;
    options_.size = QSize(width_->value(), height_->value());
    options_.paper = static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
    options_.scale = scale;
    options_.labels = labels_->isChecked();
    accept();
}

}  // namespace linvara::gui
