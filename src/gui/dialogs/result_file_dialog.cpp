#include "dialogs/result_file_dialog.h"

#include <QComboBox>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/file_filter.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
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
    kind_ = std::clamp(workspace::LastResultKind(), 0, kinds_->count() - 1);
    kinds_->setCurrentIndex(kind_);
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

std::string ResultFileDialog::DefaultExtension() const { return ExtensionForKind(kind_); }

void ResultFileDialog::OnKindChanged(int kind) {
    kind_ = kind;
    workspace::RememberResultKind(kind);
    if (path_.empty()) return;
    path_ = ReplaceExtension(path_, ExtensionForKind(kind));
    pathEdit_->setText(QString::fromStdString(path_));
}

void ResultFileDialog::OnChoosePath() {
    kind_ = kinds_->currentIndex();
    const QString extension = QString::fromStdString(ExtensionForKind(kind_));
    const QString filter = QtFileFilter(SaveFilterForKind(kind_));
    const QString name = workspace::ProjectTitle(projectPath_).isEmpty()
                             ? QString()
                             : workspace::ProjectTitle(projectPath_) + QLatin1Char('_') +
                                   QString::fromUtf8(ResultKinds()[static_cast<std::size_t>(kind_)].shortName) +
                                   QLatin1Char('.') + extension;
    const QString suggested = path_.empty() ? workspace::SuggestedPath(QStringLiteral("result"), projectPath_, name)
                                            : QString::fromStdString(path_);
    const QString path = ui_.GetSaveFileName(QStringLiteral("保存成果文件"), filter, extension, suggested);
    if (path.isEmpty()) return;
    workspace::RememberFolder(QStringLiteral("result"), path);
    path_ = path.toStdString();
    pathEdit_->setText(path);
}

void ResultFileDialog::OnConvert() {
    kind_ = kinds_->currentIndex();
    reporter_.Begin(QStringLiteral("文件格式转换输出"));
    int written = -1;
    bool ok = false;
    {
        WaitCursor wait;
        ok = WriteResultFile(list_, path_, kind_, reporter_, &written);
    }
    RunOutcome outcome = reporter_.Finish(ok ? QString::fromStdString(path_) : QString(), ok ? written : -1);
    if (onRunFinished)
        onRunFinished(outcome);
    else
        ShowOutcomeAsBoxes(ui_, outcome);
}

}  // namespace linvara::gui
