#include "dialogs/merge_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "common/dialog_widgets.h"
#include "common/file_filter.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
#include "common/native_path.h"

namespace linvara::gui {

MergeDialog::MergeDialog(UiServices& ui, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      folderEdit_(ReadOnlyEdit("folderEdit")),
      targetEdit_(ReadOnlyEdit("targetEdit")),
      files_(new QTableWidget(0, 1)),
      progress_(new QProgressBar) {
    setWindowTitle(QStringLiteral("数据合并"));
    files_->setObjectName("fileList");
    files_->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("文件名")));
    files_->setColumnWidth(0, 400);
    files_->horizontalHeader()->setStretchLastSection(true);
    files_->verticalHeader()->hide();
    files_->verticalHeader()->setDefaultSectionSize(30);
    files_->setSelectionBehavior(QAbstractItemView::SelectRows);
    files_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    progress_->setObjectName("progressBar");
    progress_->setValue(0);
    QPushButton* folder = Button("打开文件夹", "folderButton");
    QPushButton* target = Button("保存文件名:", "targetButton");
    QPushButton* merge = Button("合并", "mergeButton");
    connect(folder, &QPushButton::clicked, this, &MergeDialog::OnChooseFolder);
    connect(target, &QPushButton::clicked, this, &MergeDialog::OnChooseTarget);
    connect(merge, &QPushButton::clicked, this, &MergeDialog::OnMerge);
    auto* grid = new QGridLayout(this);
    grid->addWidget(folder, 0, 0);
    grid->addWidget(folderEdit_, 0, 1);
    grid->addWidget(files_, 1, 0, 1, 2);
    grid->addWidget(target, 2, 0);
    grid->addWidget(targetEdit_, 2, 1);
    grid->addWidget(progress_, 3, 0, 1, 2);
    grid->addWidget(merge, 4, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(560, 460);
}

void MergeDialog::OnChooseFolder() {
    const QString chosen =
        ui_.GetExistingDirectory(QStringLiteral("请选择文件夹"), workspace::LastFolder(QStringLiteral("merge-folder")));
    if (chosen.isEmpty()) return;
    workspace::RememberFolder(QStringLiteral("merge-folder"), chosen);
    folder_ = CorePath(chosen);
    folderEdit_->setText(QDir::toNativeSeparators(chosen));
    sources_ = ListProjectFiles(folder_);
    files_->setRowCount(0);
    files_->setRowCount(static_cast<int>(sources_.size()));
    for (size_t i = 0; i < sources_.size(); ++i) {
        auto* item = new QTableWidgetItem(QString::fromStdString(sources_[i].fileName));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        files_->setItem(static_cast<int>(i), 0, item);
    }
}

void MergeDialog::OnChooseTarget() {
    // Offered beside the sources, named after their folder.
    const QString folder = QString::fromStdString(folder_);
    const QString name = folder.isEmpty() ? QString() : QDir(folder).dirName() + QStringLiteral("_合并.PD");
    const QString start = folder.isEmpty() ? workspace::SuggestedPath(QStringLiteral("merge-target"), {}, name)
                                           : QDir(folder).filePath(name);
    QString chosen = ui_.GetSaveFileName(QStringLiteral("保存合并数据文件"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"),
                                         QStringLiteral("PD"), start);
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().compare(QStringLiteral("PD"), Qt::CaseInsensitive) != 0)
        chosen += QStringLiteral(".PD");
    workspace::RememberFolder(QStringLiteral("merge-target"), chosen);
    // The save dialog asked before an existing file was chosen: it is replaced, not added to.
    replace_ = QFileInfo::exists(chosen);
    target_ = CorePath(chosen);
    targetEdit_->setText(chosen);
}

std::vector<MergeSource> MergeDialog::CheckedSources() const {
    std::vector<MergeSource> sources = sources_;
    for (size_t i = 0; i < sources.size(); ++i) {
        const QTableWidgetItem* item = files_->item(static_cast<int>(i), 0);
        sources[i].checked = item && item->checkState() == Qt::Checked;
    }
    return sources;
}

void MergeDialog::OnMerge() {
    RunReporter reporter(ui_);
    reporter.onProgress = [this](long long done, long long total) {
        progress_->setRange(0, static_cast<int>(std::max(total, 1LL)));
        progress_->setValue(static_cast<int>(done));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    reporter.Begin(QStringLiteral("数据合并"));
    progress_->setValue(0);
    MergeResult result;
    {
        WaitCursor wait;
        result = MergeProjects(folder_, CheckedSources(), target_, reporter,
                               replace_ ? MergeTarget::Replace : MergeTarget::Append);
    }
    // Replaced once: merging again adds to what this merge wrote.
    if (result == MergeResult::Done || result == MergeResult::Incomplete) replace_ = false;
    const bool written = result == MergeResult::Done || result == MergeResult::Incomplete;
    const RunOutcome outcome = reporter.Finish(written ? QString::fromStdString(target_) : QString());
    if (onRunFinished)
        onRunFinished(outcome);
    else
        ShowOutcomeAsBoxes(ui_, outcome);
}

}  // namespace linvara::gui
