#include "dialogs/tower_base_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <algorithm>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "common/dialog_widgets.h"
#include "common/file_filter.h"
#include "common/output_refusal.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
#include "text/format.h"
#include "common/native_path.h"

namespace linvara::gui {
namespace {

struct Column {
    const char* header;
    int width;
};
constexpr Column kColumns[] = {{"点名", 45},       {"北坐标x", 85},    {"东坐标y", 85},
                               {"高程h", 60},      {"编码", 60},       {"距中桩偏距", 80},
                               {"与中桩高差", 80}, {"中桩点名", 75},   {"断面索引", 75}};

QStringList RowTexts(const SectionPoint& p) {
    auto fixed = [](double v) { return QString::fromStdString(text::Format("%.3f", v)); };
    return {QString::fromStdString(p.NewPtName), fixed(p.Dx), fixed(p.Dy), fixed(p.Dh),
            QString::fromStdString(p.Code), fixed(p.PegDis), fixed(p.HDiff),
            QString::fromStdString(p.PegName), QString::fromStdString(SectionLetter(p.SubIndex))};
}

}  // namespace

TowerBaseDialog::TowerBaseDialog(UiServices& ui, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      reporter_(ui),
      survey_(reporter_),
      dataPath_(ReadOnlyEdit("dataPathEdit")),
      outputPath_(ReadOnlyEdit("outputPathEdit")),
      table_(new QTableWidget(0, 9)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("塔基断面"));
    table_->setObjectName("sectionTable");
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    for (int c = 0; c < 9; ++c) {
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kColumns[c].header)));
        table_->setColumnWidth(c, kColumns[c].width);
    }
    QPushButton* open = Button("打开文件", "openButton");
    QPushButton* output = Button("成果保存路径", "outputButton");
    QPushButton* convert = Button("转换", "convertButton");
    QPushButton* quit = Button("退出", "quitButton");
    connect(open, &QPushButton::clicked, this, &TowerBaseDialog::OnOpenFile);
    connect(output, &QPushButton::clicked, this, &TowerBaseDialog::OnChooseOutput);
    connect(convert, &QPushButton::clicked, this, &TowerBaseDialog::OnConvert);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    auto* grid = new QGridLayout(this);
    grid->addWidget(open, 0, 0);
    grid->addWidget(dataPath_, 0, 1, 1, 2);
    grid->addWidget(table_, 1, 0, 1, 3);
    grid->addWidget(output, 2, 0);
    grid->addWidget(outputPath_, 2, 1, 1, 2);
    grid->addWidget(convert, 3, 1, Qt::AlignRight);
    grid->addWidget(quit, 3, 2);
    grid->setColumnStretch(1, 1);
    resize(720, 520);
}

void TowerBaseDialog::OnOpenFile() {
    const QString start = projectPath_.isEmpty() ? workspace::LastFolder(QStringLiteral("towerbase-data"))
                                                 : QFileInfo(projectPath_).absolutePath();
    const QString path = ui_.GetOpenFileName(QStringLiteral("打开数据文件"),
                                             QtFileFilter("数据文件 (*.PD)|*.PD|数据文件 (*.tow)|*.TOW||"), start);
    if (path.isEmpty()) return;
    workspace::RememberFolder(QStringLiteral("towerbase-data"), path);
    {
        WaitCursor wait;
        survey_.Load(CorePath(path));
    }
    ReportReadWarnings();
    Refresh();
}

// Numbers the TOW file could not read, in one message rather than one box each.
void TowerBaseDialog::ReportReadWarnings() {
    constexpr std::size_t kShown = 20;
    const std::vector<std::string>& warnings = survey_.ReadWarnings();
    if (warnings.empty()) return;
    std::string text;
    for (std::size_t i = 0; i < warnings.size() && i < kShown; ++i) text += warnings[i] + "\n";
    if (warnings.size() > kShown) text += "……共" + std::to_string(warnings.size()) + "处";
    reporter_.Warning(text);
}

void TowerBaseDialog::OnChooseOutput() {
    // Beside the data file, named after it: the stakes' names are added to it.
    const QString dataFile = survey_.DataFilePath().empty() ? projectPath_ : QString::fromStdString(survey_.DataFilePath());
    const QString name = dataFile.isEmpty() ? QString() : workspace::ProjectTitle(dataFile) + QStringLiteral("_塔基.org");
    const QString path =
        ui_.GetSaveFileName(QStringLiteral("输出ORG文件"), QtFileFilter("道享数据文件(*.org)|*.org|"),
                            QStringLiteral("org"), workspace::SuggestedPath(QStringLiteral("towerbase"), dataFile, name));
    if (path.isEmpty() || OutputRefused(ui_, path, {projectPath_, QString::fromStdString(survey_.DataFilePath())}))
        return;
    workspace::RememberFolder(QStringLiteral("towerbase"), path);
    survey_.OrgOutputPath = CorePath(path);
    outputPath_->setText(QDir::toNativeSeparators(path));
}

void TowerBaseDialog::OnConvert() {
    if (ConvertReported() != TowerBaseSurvey::ConvertResult::NoDataFile) return;
    // No data yet: the message has been shown; ask for the file, then go on.
    OnOpenFile();
    if (survey_.DataFilePath().empty()) return;
    ConvertReported();
}

TowerBaseSurvey::ConvertResult TowerBaseDialog::ConvertReported() {
    reporter_.Begin(QStringLiteral("塔基断面转换"));
    TowerBaseSurvey::ConvertResult result;
    {
        WaitCursor wait;
        result = survey_.Convert();
    }
    const QString written = result == TowerBaseSurvey::ConvertResult::Done
                                ? QFileInfo(QString::fromStdString(survey_.OrgOutputPath)).absolutePath()
                                : QString();
    const RunOutcome outcome = reporter_.Finish(written);
    if (onRunFinished)
        onRunFinished(outcome);
    else
        ShowOutcomeAsBoxes(ui_, outcome);
    return result;
}

void TowerBaseDialog::Refresh() {
    dataPath_->setText(QDir::toNativeSeparators(QString::fromStdString(survey_.DataFilePath())));
    table_->setRowCount(0);
    const SectionPointList& points = survey_.Points();
    table_->setRowCount(static_cast<int>(points.size()));
    for (size_t r = 0; r < points.size(); ++r) {
        const QStringList texts = RowTexts(points[r]);
        for (int c = 0; c < texts.size(); ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setTextAlignment(Qt::AlignCenter);
            item->setData(Qt::UserRole, points[r].SubIndex);
            table_->setItem(static_cast<int>(r), c, item);
        }
    }
    // The listed widths suit the Windows dialog font; never clip a number.
    for (int c = 0; c < 9; ++c) {
        table_->resizeColumnToContents(c);
        table_->setColumnWidth(c, std::max(kColumns[c].width, table_->columnWidth(c)));
    }
}

void TowerBaseDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}

}  // namespace linvara::gui
