#include "views/run_report_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace linvara::gui {
namespace {

enum Column { KindColumn, NameColumn, RowColumn, TextColumn, ColumnCount };

QIcon LevelIcon(MessageLevel level) {
    QStyle* style = QApplication::style();
    switch (level) {
        case MessageLevel::Error: return style->standardIcon(QStyle::SP_MessageBoxCritical);
        case MessageLevel::Warning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
        default: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    }
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setToolTip(text);  // long texts are cut off in the column
    return item;
}

}  // namespace

QString LevelText(MessageLevel level) {
    switch (level) {
        case MessageLevel::Error: return QStringLiteral("错误");
        case MessageLevel::Warning: return QStringLiteral("警告");
        default: return QStringLiteral("提示");
    }
}

RunReportWindow::RunReportWindow(QWidget* parent)
    : QDialog(parent), heading_(new QLabel), table_(new QTableWidget(0, ColumnCount)) {
    setObjectName("runReport");
    setModal(false);
    heading_->setWordWrap(true);
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table_->setObjectName("runReportTable");
    table_->setHorizontalHeaderLabels({QStringLiteral("类型"), QStringLiteral("点名"), QStringLiteral("行"),
                                       QStringLiteral("说明")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) { OnRowChosen(row); });
    connect(table_, &QTableWidget::cellActivated, this, [this](int row) { OnRowChosen(row); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(760, 420);
}

QString RunReportWindow::Heading() const { return heading_->text(); }

void RunReportWindow::Show(const RunOutcome& outcome) {
    outcome_ = outcome;
    int counts[3] = {0, 0, 0};
    for (const RunMessage& m : outcome_.messages) ++counts[static_cast<int>(m.level)];
    setWindowTitle(outcome_.title);
    QString heading = outcome_.doneText.isEmpty() ? outcome_.title + QStringLiteral("：未完成")
                                                  : outcome_.title + QStringLiteral("：") + outcome_.doneText;
    if (!outcome_.outputPath.isEmpty()) heading += QStringLiteral("  ") + outcome_.outputPath;
    heading += QStringLiteral("\n共%1条消息（错误%2条，警告%3条，提示%4条）；选择一行可在列表和图形中显示该点。")
                   .arg(outcome_.messages.size())
                   .arg(counts[static_cast<int>(MessageLevel::Error)])
                   .arg(counts[static_cast<int>(MessageLevel::Warning)])
                   .arg(counts[static_cast<int>(MessageLevel::Info)]);
    heading_->setText(heading);

    const QSignalBlocker quiet(table_);  // filling is no choice of a row
    table_->clearContents();
    table_->setRowCount(static_cast<int>(outcome_.messages.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const RunMessage& m = outcome_.messages[static_cast<std::size_t>(r)];
        QTableWidgetItem* kind = Cell(LevelText(m.level));
        kind->setIcon(LevelIcon(m.level));
        table_->setItem(r, KindColumn, kind);
        table_->setItem(r, NameColumn, Cell(m.pointName));
        table_->setItem(r, RowColumn, Cell(m.row >= 0 ? QString::number(m.row + 1) : QString()));
        table_->setItem(r, TextColumn, Cell(m.text));
    }
    table_->resizeColumnsToContents();
    table_->setCurrentCell(-1, -1);
    show();
    raise();
    activateWindow();
}

void RunReportWindow::OnRowChosen(int row) {
    if (row < 0 || row >= static_cast<int>(outcome_.messages.size())) return;
    const RunMessage& m = outcome_.messages[static_cast<std::size_t>(row)];
    if (m.gpsId.empty() && m.pointName.isEmpty()) return;
    emit pointRequested(m.gpsId, m.pointName);
}

}  // namespace linvara::gui
