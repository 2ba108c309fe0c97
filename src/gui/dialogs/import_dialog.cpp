#include "dialogs/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "common/dialog_widgets.h"
#include "common/file_filter.h"
#include "common/ui_services.h"
#include "common/wait_cursor.h"
#include "common/workspace.h"
#include "dialogs/import_styles.h"
#include "dialogs/projection_box.h"
#include "import/decode_file.h"
#include "import/gauss_kruger.h"
#include "import/import_file.h"
#include "import/text_fields.h"
#include "model/dh_point.h"
#include "text/format.h"
#include "common/native_path.h"

namespace linvara::gui {
namespace {

using import::Column;
using import::ImportStyle;

constexpr int kPreviewRows = 200;  // enough to judge a style; the bad lines list is complete
constexpr int kRawLines = 12;
// Above this size a file is read again only once typing pauses.
constexpr std::size_t kInstantPreviewBytes = 2u << 20;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString ColumnLabels(const std::vector<Column>& columns) {
    QStringList labels;
    for (Column c : columns) labels << QString::fromUtf8(import::ColumnLabel(c));
    return labels.join(QStringLiteral(" | "));
}

QString NumberCell(double value, int decimals) { return Q(text::Format("%.*f", decimals, value)); }

std::string FileNameOf(const QString& path) { return QFileInfo(path).fileName().toStdString(); }

}  // namespace

ImportDialog::ImportDialog(UiServices& ui, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      inputEdit_(NamedEdit("inputEdit")),
      targetEdit_(NamedEdit("targetEdit")),
      projection_(new ProjectionBox(true)),
      swapXY_(new QCheckBox(QStringLiteral("交换X/Y列（文件的X为东坐标、Y为北坐标，如GIS软件所写）"))),
      rawText_(new QPlainTextEdit),
      previewTable_(new QTableWidget(0, 8)),
      summary_(new QLabel),
      badLines_(new QListWidget),
      previewTimer_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("导入文本数据"));
    inputEdit_->setReadOnly(true);
    targetEdit_->setPlaceholderText(QStringLiteral("要生成的工程文件（*.PD）"));
    QPushButton* chooseInput = Button("浏览…", "inputButton");
    QPushButton* chooseTarget = Button("浏览…", "targetButton");
    connect(chooseInput, &QPushButton::clicked, this, &ImportDialog::OnChooseInput);
    connect(chooseTarget, &QPushButton::clicked, this, &ImportDialog::OnChooseTarget);

    QGroupBox* styleBox = BuildStyleBox();
    projection_->LoadSettings();
    connect(projection_, &ProjectionBox::changed, this, &ImportDialog::RequestPreview);
    swapXY_->setObjectName("swapXYCheck");
    connect(swapXY_, &QCheckBox::toggled, this, &ImportDialog::RequestPreview);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(300);
    connect(previewTimer_, &QTimer::timeout, this, &ImportDialog::UpdatePreview);

    rawText_->setObjectName("rawText");
    rawText_->setReadOnly(true);
    rawText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rawText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* rawBox = new QGroupBox(QStringLiteral("文件开头"));
    (new QVBoxLayout(rawBox))->addWidget(rawText_);

    previewTable_->setObjectName("previewTable");
    previewTable_->setHorizontalHeaderLabels({QStringLiteral("点名"), QStringLiteral("编码"), QStringLiteral("点类型"),
                                              QStringLiteral("北坐标x"), QStringLiteral("东坐标y"),
                                              QStringLiteral("高程h"), QStringLiteral("纬度B"),
                                              QStringLiteral("经度L")});
    previewTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    previewTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    previewTable_->verticalHeader()->setDefaultSectionSize(22);
    previewTable_->verticalHeader()->hide();  // row numbers would read as line numbers
    previewTable_->setMinimumHeight(180);
    summary_->setObjectName("previewSummary");
    summary_->setWordWrap(true);
    badLines_->setObjectName("badLineList");
    badLines_->setFixedHeight(90);

    auto* right = new QVBoxLayout;
    right->addWidget(projection_);
    right->addWidget(swapXY_);
    right->addWidget(rawBox, 1);
    // The style and the file's first lines take what they need; the preview the rest.
    styleBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    rawText_->setMaximumHeight(190);
    auto* top = new QHBoxLayout;
    top->addWidget(styleBox, 3);
    top->addLayout(right, 2);

    auto* files = new QGridLayout;
    files->addWidget(new QLabel(QStringLiteral("数据文件")), 0, 0);
    files->addWidget(inputEdit_, 0, 1);
    files->addWidget(chooseInput, 0, 2);

    auto* target = new QHBoxLayout;
    target->addWidget(new QLabel(QStringLiteral("工程文件")));
    target->addWidget(targetEdit_, 1);
    target->addWidget(chooseTarget);

    QDialogButtonBox* buttons = OkCancelButtons(*this, QStringLiteral("导入"), [this] { OnOk(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("预览（前%1个点）").arg(kPreviewRows)));
    layout->addWidget(previewTable_, 1);
    layout->addWidget(summary_);
    layout->addWidget(new QLabel(QStringLiteral("无法读取的行")));
    layout->addWidget(badLines_);
    layout->addLayout(target);
    layout->addWidget(buttons);
    resize(980, 820);
    RestoreLastStyle();
    UpdatePreview();
}

// --- files ----------------------------------------------------------------

bool ImportDialog::ReadInput(const QString& path) {
    text::TextFile file;
    const std::optional<text::TextFileProblem> problem = text::ReadTextFile(CorePath(path), file);
    if (problem && problem->line == 0) {
        ui_.Error(QStringLiteral("无法读取文件：%1（%2）").arg(QDir::toNativeSeparators(path), Q(problem->reason)));
        return false;
    }
    // A file that is no text is shown with its line, as the import would refuse it.
    fileProblem_ = problem ? text::ProblemText(*problem) : std::string();
    file_ = std::move(file);
    inputPath_ = path;
    return true;
}

void ImportDialog::SetInputFile(const QString& path) {
    if (!ReadInput(path)) return;
    inputEdit_->setText(QDir::toNativeSeparators(path));
    const QFileInfo info(path);
    targetEdit_->setText(
        QDir::toNativeSeparators(QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".PD"))));
    UpdatePreview();
}

void ImportDialog::OnChooseInput() {
    const QString path = ui_.GetOpenFileName(
        QStringLiteral("选择要导入的数据文件"),
        QtFileFilter("文本数据文件(*.txt;*.csv;*.dat)|*.txt;*.csv;*.dat|所有文件(*.*)|*.*|"),
        workspace::LastFolder(QStringLiteral("import")));
    if (path.isEmpty()) return;
    workspace::RememberFolder(QStringLiteral("import"), path);
    SetInputFile(path);
}

void ImportDialog::OnChooseTarget() {
    const QString path = ui_.GetSaveFileName(QStringLiteral("保存工程文件"),
                                             QtFileFilter("Fieldora数据文件(*.PD)|*.PD|"), QStringLiteral("PD"),
                                             TargetPath());
    if (!path.isEmpty()) targetEdit_->setText(QDir::toNativeSeparators(path));
}

QString ImportDialog::TargetPath() const {
    QString path = QDir::fromNativeSeparators(targetEdit_->text().trimmed());
    if (path.isEmpty()) return path;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".PD");
    return QFileInfo(path).absoluteFilePath();
}

// --- preview --------------------------------------------------------------

void ImportDialog::ShowRawText(const std::string& text) {
    QString shown;
    import::LineCursor lines(text);
    std::string_view line;
    while (lines.Number() < kRawLines && lines.Next(line))
        shown += QStringLiteral("%1│").arg(lines.Number(), 3) + QString::fromUtf8(line.data(), static_cast<int>(line.size())) +
                 QLatin1Char('\n');
    rawText_->setPlainText(shown);
}

// What the columns are: the list written, or what the header row names.
void ImportDialog::ShowColumns(const ImportStyle& style, const std::string& text) {
    if (!style.FromHeader()) {
        columnsLabel_->setText(ColumnLabels(style.columns));
        return;
    }
    import::LineCursor lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (lines.Number() <= style.skipLines || line.find_first_not_of(" \t") == std::string_view::npos) continue;
        const import::Delimiter delimiter =
            style.delimiter == import::Delimiter::Auto ? import::DetectDelimiter(line) : style.delimiter;
        std::vector<std::string_view> fields;
        std::string unquoted;
        import::SplitFields(line, delimiter, fields, unquoted);
        columnsLabel_->setText(QStringLiteral("表头行（第%1行）识别为：").arg(lines.Number()) +
                               ColumnLabels(import::ColumnsFromHeader(fields)));
        return;
    }
    columnsLabel_->setText(QStringLiteral("由表头行识别各列"));
}

void ImportDialog::RequestPreview() {
    if (loading_) return;
    if (file_.text.size() > kInstantPreviewBytes) previewTimer_->start();
    else UpdatePreview();
}

void ImportDialog::UpdatePreview() {
    if (loading_) return;
    previewTimer_->stop();
    preview_ = {};
    ImportStyle style;
    QString failure;
    if (!CurrentStyle(style, failure)) {
        columnsLabel_->clear();
        ShowPreview(QStringLiteral("样式不可用：") + failure);
        return;
    }
    std::string text, problem = fileProblem_;
    if (problem.empty()) import::DecodePointFile(file_, style.encoding, text, problem);
    ShowRawText(text);
    ShowColumns(style, text);
    if (inputPath_.isEmpty()) {
        ShowPreview(QStringLiteral("请选择数据文件"));
        return;
    }
    if (!problem.empty()) {
        ShowPreview(Q(FileNameOf(inputPath_) + " " + problem));
        return;
    }
    std::unique_ptr<GaussKruger> projection;
    if (const std::optional<GaussKrugerZone> zone = projection_->Zone()) {
        std::string why;
        projection = GaussKruger::Create(*zone, why);
        if (!projection) {
            ShowPreview(QStringLiteral("投影参数不可用：") + Q(why));
            return;
        }
    }
    WaitCursor wait;
    preview_ = import::ReadPointText(text, style, projection.get(), swapXY_->isChecked());
    failure = preview_.failure.empty() ? QString() : Q(FileNameOf(inputPath_) + " " + preview_.failure);
    if (preview_.looksSwapped) failure += QStringLiteral("（勾选“交换X/Y列”）");
    ShowPreview(failure);
}

void ImportDialog::ShowPreview(const QString& failure) {
    const int rows = static_cast<int>(std::min<std::size_t>(preview_.points.size(), kPreviewRows));
    previewTable_->setRowCount(0);
    previewTable_->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const import::ImportedPoint& p = preview_.points[static_cast<std::size_t>(row)];
        const bool hasLatLon = p.latitude != 0 || p.longitude != 0;
        const QString cells[] = {Q(p.name),
                                 Q(p.code),
                                 QString::fromUtf8(DHTypeName(p.kind)),
                                 NumberCell(p.north, 3),
                                 NumberCell(p.east, 3),
                                 NumberCell(p.height, 3),
                                 hasLatLon ? NumberCell(p.latitude, 9) : QString(),
                                 hasLatLon ? NumberCell(p.longitude, 9) : QString()};
        for (int col = 0; col < 8; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            previewTable_->setItem(row, col, item);
        }
    }
    previewTable_->resizeColumnsToContents();
    badLines_->clear();
    for (const import::BadLine& bad : preview_.bad)
        badLines_->addItem(QStringLiteral("第%1行：%2").arg(bad.line).arg(Q(bad.reason)));
    if (!failure.isEmpty()) {
        summary_->setStyleSheet(QStringLiteral("color: #b00000"));
        summary_->setText(failure);
        return;
    }
    int counts[3] = {0, 0, 0};
    for (const import::ImportedPoint& p : preview_.points) ++counts[p.kind == JStake ? 0 : p.kind == ZStake ? 1 : 2];
    summary_->setStyleSheet(preview_.bad.empty() ? QString() : QStringLiteral("color: #b00000"));
    QString summary = QStringLiteral("可导入%1个点：J桩%2个，Z桩%3个，其他%4个；无法读取%5行")
                          .arg(preview_.points.size())
                          .arg(counts[0])
                          .arg(counts[1])
                          .arg(counts[2])
                          .arg(preview_.bad.size());
    if (preview_.zonePrefixed > 0)
        summary += QStringLiteral("；%1个点的东坐标前有带号%2，导入时去掉").arg(preview_.zonePrefixed).arg(preview_.zonePrefix);
    summary_->setText(summary);
}

// --- OK -------------------------------------------------------------------

void ImportDialog::OnOk() {
    if (inputPath_.isEmpty()) {
        ui_.Warning(QStringLiteral("请选择要导入的数据文件"));
        return;
    }
    import::ImportOptions options;
    QString why;
    if (!CurrentStyle(options.style, why)) {
        ui_.Warning(QStringLiteral("导入样式不可用：") + why);
        return;
    }
    if (!projection_->Read(ui_, options.zone)) return;
    const QString target = TargetPath();
    if (target.isEmpty()) {
        ui_.Warning(QStringLiteral("请指定要生成的工程文件（*.PD）"));
        targetEdit_->setFocus();
        return;
    }
    if (QFileInfo(target) == QFileInfo(inputPath_)) {
        ui_.Warning(QStringLiteral("工程文件不能是要导入的数据文件本身：%1").arg(QDir::toNativeSeparators(target)));
        return;
    }
    if (!openProject_.isEmpty() && QFileInfo(target) == QFileInfo(openProject_)) {
        ui_.Warning(QStringLiteral("该工程正在本窗口中打开，不能被导入的数据替换：%1\n请换一个文件名。").arg(QDir::toNativeSeparators(target)));
        return;
    }
    // The file as it is now, so what is asked about is what will be written.
    if (!ReadInput(inputPath_)) return;
    UpdatePreview();
    const QString name = QFileInfo(inputPath_).fileName();
    if (preview_.looksSwapped) {
        if (!ui_.AskYesNoDefaultNo(QStringLiteral("无法按现在的列导入 %1：%2\n交换X/Y列后导入吗？").arg(name, Q(preview_.failure))))
            return;
        swapXY_->setChecked(true);
        UpdatePreview();
    }
    options.swapXY = swapXY_->isChecked();
    if (!preview_.failure.empty()) {
        ui_.Error(QStringLiteral("无法导入 %1：%2").arg(name, Q(preview_.failure)));
        return;
    }
    if (preview_.points.empty()) {
        ui_.Error(QStringLiteral("%1 中没有可导入的点").arg(name));
        return;
    }
    if (!preview_.bad.empty()) {
        if (!ui_.AskYesNoDefaultNo(QStringLiteral("%1 有%2行无法读取（见“无法读取的行”）。\n只导入其余%3个点吗？")
                                       .arg(name)
                                       .arg(preview_.bad.size())
                                       .arg(preview_.points.size())))
            return;
        options.skipBad = true;
    }
    if (QFileInfo::exists(target)) {
        if (!ui_.AskYesNoDefaultNo(QStringLiteral("文件已存在：%1\n要替换它吗？").arg(QDir::toNativeSeparators(target)))) return;
        options.replace = true;
    }
    import::ImportOutcome outcome;
    Status status = Status::Ok();
    {
        WaitCursor wait;
        status = import::ImportPointFile(CorePath(inputPath_), CorePath(target), options, outcome);
    }
    if (!status) {
        QString text = QStringLiteral("导入失败：") + Q(status.message());
        for (std::size_t i = 0; i < std::min<std::size_t>(outcome.badLines.size(), 10); ++i)
            text += QLatin1Char('\n') + Q(outcome.badLines[i]);
        ui_.Error(text);
        return;
    }
    targetEdit_->setText(QDir::toNativeSeparators(target));
    SaveLastImportStyle(options.style, styleCombo_->currentData().toString());
    projection_->SaveSettings();
    imported_ = outcome.points;
    accept();
}

}  // namespace linvara::gui
