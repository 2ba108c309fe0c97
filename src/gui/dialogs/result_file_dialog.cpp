#include "dialogs/result_file_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/file_filter.h"
#include "common/wait_cursor.h"
#include "output/result_kinds.h"
#include "output/result_writer.h"

namespace linvara::gui {

ResultFileDialog::ResultFileDialog(const DHPointList& list, UiServices& ui, QWidget* parent)
    : QDialog(parent), list_(list), ui_(ui), reporter_(ui), kinds_(new QComboBox), pathEdit_(new QLineEdit) {
    setWindowTitle(QStringLiteral("文件格式转换输出"));
    kinds_->setObjectName("kindCombo");
    pathEdit_->setObjectName("pathEdit");
    pathEdit_->setReadOnly(true);
    for (const ResultKindInfo& info : ResultKinds()) kinds_->addItem(QString::fromUtf8(info.text));
    kinds_->setCurrentIndex(0);
    connect(kinds_, &QComboBox::currentIndexChanged, this, &ResultFileDialog::OnKindChanged);

    auto* choose = new QPushButton(QStringLiteral("成果文件"));
    auto* convert = new QPushButton(QStringLiteral("转换"));
    auto* quit = new QPushButton(QStringLiteral("退出"));
    choose->setObjectName("pathButton");
    convert->setObjectName("convertButton");
    quit->setObjectName("quitButton");
    for (QPushButton* b : {choose, convert, quit}) b->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &ResultFileDialog::OnChoosePath);
    connect(convert, &QPushButton::clicked, this, &ResultFileDialog::OnConvert);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("输出文件格式:")), 0, 0);
    grid->addWidget(kinds_, 0, 1, 1, 2);
    grid->addWidget(choose, 1, 0);
    grid->addWidget(pathEdit_, 1, 1, 1, 2);
    grid->addWidget(convert, 2, 1, Qt::AlignRight);
    grid->addWidget(quit, 2, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(520);
}

void ResultFileDialog::OnKindChanged(int kind) {
    kind_ = kind;
    extension_ = DefaultExtensionForKind(kind, extension_);
    if (path_.empty()) return;
    path_ = ReplaceExtension(path_, extension_);
    pathEdit_->setText(QString::fromStdString(path_));
}

void ResultFileDialog::OnChoosePath() {
    kind_ = kinds_->currentIndex();
    const QString filter = QtFileFilter(SaveFilterForKind(kind_, extension_));
    const QString path =
        ui_.GetSaveFileName(QStringLiteral("保存成果文件"), filter, QString::fromStdString(extension_));
    if (path.isEmpty()) return;
    path_ = path.toStdString();
    pathEdit_->setText(path);
}

void ResultFileDialog::OnConvert() {
    kind_ = kinds_->currentIndex();
    WaitCursor wait;
    WriteResultFile(list_, path_, kind_, reporter_);
}

}  // namespace linvara::gui
