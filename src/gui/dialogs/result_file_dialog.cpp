#include "dialogs/result_file_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <algorithm>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/file_filter.h"
#include "common/output_refusal.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
#include "output/kml_writer.h"
#include "output/result_builders.h"
#include "output/result_kinds.h"
#include "output/result_writer.h"
#include "common/native_path.h"
#include "text/format.h"

namespace linvara::gui {

ResultFileDialog::ResultFileDialog(const DHPointList& list, UiServices& ui, QWidget* parent)
    : QDialog(parent), list_(list), ui_(ui), reporter_(ui), kinds_(new QComboBox),
      kmz_(new QCheckBox(QStringLiteral("打包为KMZ（图标在内，离线也能显示桩位）"))), pathEdit_(new QLineEdit) {
    setWindowTitle(QStringLiteral("文件格式转换输出"));
    kinds_->setObjectName("kindCombo");
    pathEdit_->setObjectName("pathEdit");
    pathEdit_->setReadOnly(true);
    for (const ResultKindInfo& info : ResultKinds()) kinds_->addItem(QString::fromUtf8(info.text));
    kind_ = std::clamp(workspace::LastResultKind(), 0, kinds_->count() - 1);
    kinds_->setCurrentIndex(kind_);
    connect(kinds_, &QComboBox::currentIndexChanged, this, &ResultFileDialog::OnKindChanged);
    kmz_->setObjectName("kmzCheck");
    if (KmzAvailable()) {
        kmz_->setChecked(workspace::LastResultKmz());
        kmz_->setToolTip(QStringLiteral("Google Earth KMZ：KML与桩位图标打包在一个文件中，没有网络的查看程序也能画出桩位"));
    } else {
        kmz_->setToolTip(QString::fromUtf8(kKmzNotInThisBuild));
    }
    kmz_->setEnabled(KindPacksAsKmz(kind_) && KmzAvailable());
    connect(kmz_, &QCheckBox::toggled, this, &ResultFileDialog::OnKmzToggled);

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
    grid->addWidget(kmz_, 1, 1, 1, 2);
    grid->addWidget(choose, 2, 0);
    grid->addWidget(pathEdit_, 2, 1, 1, 2);
    grid->addWidget(convert, 3, 1, Qt::AlignRight);
    grid->addWidget(quit, 3, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(520);
}

bool ResultFileDialog::Kmz() const { return KindPacksAsKmz(kind_) && kmz_->isEnabled() && kmz_->isChecked(); }

std::string ResultFileDialog::DefaultExtension() const { return Kmz() ? kKmzExtension : ExtensionForKind(kind_); }

void ResultFileDialog::FollowExtension() {
    if (path_.empty()) return;
    path_ = ReplaceExtension(path_, DefaultExtension());
    pathEdit_->setText(QDir::toNativeSeparators(QString::fromStdString(path_)));
}

void ResultFileDialog::OnKindChanged(int kind) {
    kind_ = kind;
    workspace::RememberResultKind(kind);
    kmz_->setEnabled(KindPacksAsKmz(kind) && KmzAvailable());
    FollowExtension();
}

void ResultFileDialog::OnKmzToggled(bool kmz) {
    workspace::RememberResultKmz(kmz);
    FollowExtension();
}

void ResultFileDialog::OnChoosePath() {
    kind_ = kinds_->currentIndex();
    const QString extension = QString::fromStdString(DefaultExtension());
    const QString filter = QtFileFilter(Kmz() ? KmzSaveFilter() : SaveFilterForKind(kind_));
    const QString name = workspace::ProjectTitle(projectPath_).isEmpty()
                             ? QString()
                             : workspace::ProjectTitle(projectPath_) + QLatin1Char('_') +
                                   QString::fromUtf8(ResultKinds()[static_cast<std::size_t>(kind_)].shortName) +
                                   QLatin1Char('.') + extension;
    const QString suggested = path_.empty() ? workspace::SuggestedPath(QStringLiteral("result"), projectPath_, name)
                                            : QString::fromStdString(path_);
    const QString path = ui_.GetSaveFileName(QStringLiteral("保存成果文件"), filter, extension, suggested);
    if (path.isEmpty() || OutputRefused(ui_, path, {projectPath_})) return;
    workspace::RememberFolder(QStringLiteral("result"), path);
    path_ = CorePath(path);
    pathEdit_->setText(QDir::toNativeSeparators(path));
}

void ResultFileDialog::OnConvert() {
    kind_ = kinds_->currentIndex();
    reporter_.Begin(QStringLiteral("文件格式转换输出"));
    int written = -1;
    if (text::Trim(path_).empty()) {
        // Not yet chosen: a reminder, not a failure.
        reporter_.Warning(output::kNoResultPath);
    } else {
        WaitCursor wait;
        const StatusOr<int> result =
            WriteResultFile(list_, path_, kind_, reporter_, Kmz() ? KmlPacking::Kmz : KmlPacking::Kml);
        if (result) written = result.value();
        ReportFailure(reporter_, result.status());
    }
    const bool ok = written >= 0;
    RunOutcome outcome = reporter_.Finish(ok ? QString::fromStdString(path_) : QString(), written);
    if (onRunFinished)
        onRunFinished(outcome);
    else
        ShowOutcomeAsBoxes(ui_, outcome);
}

}  // namespace linvara::gui
