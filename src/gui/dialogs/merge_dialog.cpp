#include "dialogs/merge_dialog.h"

#include <QCoreApplication>
#include <algorithm>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include "common/file_filter.h"
#include "common/ui_reporter.h"
#include "common/wait_cursor.h"

namespace linvara::gui {
namespace {

// Messages as message boxes, progress on the dialog's bar.
class MergeReporter final : public UiReporter {
public:
    MergeReporter(UiServices& ui, QProgressBar& bar) : UiReporter(ui), bar_(bar) {}
    void Progress(long long done, long long total) override {
        bar_.setRange(0, static_cast<int>(std::max(total, 1LL)));
        bar_.setValue(static_cast<int>(done));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressBar& bar_;
};

QLineEdit* ReadOnlyEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

QPushButton* Button(const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

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
    const QString chosen = ui_.GetExistingDirectory(QStringLiteral("请选择文件夹"));
    if (chosen.isEmpty()) return;
    folder_ = chosen.toStdString();
    folderEdit_->setText(chosen);
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
    const QString chosen =
        ui_.GetSaveFileName(QStringLiteral("保存合并数据文件"), QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"), QString());
    if (chosen.isEmpty()) return;
    target_ = chosen.toStdString();
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
    MergeReporter reporter(ui_, *progress_);
    progress_->setValue(0);
    WaitCursor wait;
    MergeProjects(folder_, CheckedSources(), target_, reporter);
}

}  // namespace linvara::gui
