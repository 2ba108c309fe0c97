#include "views/check_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/project_document.h"
#include "check/finding_text.h"
#include "check/project_check.h"
#include "check/project_source.h"

namespace linvara::gui {
namespace {

enum Column { SeverityColumn, RuleColumn, PointColumn, RowColumn, MessageColumn, ColumnCount };
constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kGpsIdRole = Qt::UserRole + 2;
constexpr int kStakeRole = Qt::UserRole + 3;  // a tower-base centre stake's name

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Project-wide findings sort first, then list rows, then tower-base rows.
qlonglong RowOrder(const check::Finding& f) {
    switch (f.place) {
        case check::Place::Project: return -1;
        case check::Place::ListRow: return f.row;
        default: return (qlonglong(1) << 32) + f.row;
    }
}

QString RowText(const check::Finding& f) {
    switch (f.place) {
        case check::Place::Project: return QStringLiteral("-");
        case check::Place::ListRow: return QString::number(f.row + 1);
        default: return QStringLiteral("塔基%1").arg(f.row + 1);
    }
}

QStandardItem* Item(const QString& text, const QVariant& sortKey) {
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(sortKey, kSortRole);
    return item;
}

}  // namespace

CheckPanel::CheckPanel(const ProjectDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("检查"), parent),
      document_(document),
      model_(new QStandardItemModel(0, ColumnCount, this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView),
      filter_(new QComboBox),
      summary_(new QLabel) {
    setObjectName("checkPanel");
    model_->setHorizontalHeaderLabels(
        {QStringLiteral("严重性"), QStringLiteral("规则"), QStringLiteral("点名"), QStringLiteral("行"), QStringLiteral("说明")});
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(kSortRole);
    proxy_->setFilterKeyColumn(SeverityColumn);
    table_->setObjectName("findingsTable");
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(RowColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setToolTip(QStringLiteral("双击一条结果以在列表中选中该点"));
    filter_->setObjectName("severityFilter");
    filter_->addItems({QStringLiteral("全部"), QStringLiteral("错误"), QStringLiteral("警告")});
    summary_->setObjectName("checkSummary");

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("显示：")));
    top->addWidget(filter_);
    top->addWidget(summary_, 1);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(table_);
    setWidget(body);

    connect(filter_, &QComboBox::currentIndexChanged, this, &CheckPanel::ApplyFilter);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const QModelIndex source = proxy_->mapToSource(index);
        const std::string gpsId = model_->item(source.row(), SeverityColumn)->data(kGpsIdRole).toString().toStdString();
        if (!gpsId.empty()) {
            emit pointRequested(gpsId);
            return;
        }
        const QString stake = model_->item(source.row(), SeverityColumn)->data(kStakeRole).toString();
        if (!stake.isEmpty()) emit stakeRequested(stake);
    });
    connect(&document, &ProjectDocument::listReset, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::pointChanged, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::orderChanged, this, &CheckPanel::RefreshIfShown);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) Refresh();
    });
}

QString CheckPanel::Summary() const { return summary_->text(); }

void CheckPanel::RefreshIfShown() {
    if (isVisible()) Refresh();
}

void CheckPanel::Refresh() {
    findings_.clear();
    if (document_.IsOpen()) {
        SectionPointList towerBase;
        // A project without readable tower-base rows is still checked for its list.
        if (!check::ReadTowerBasePoints(document_.Path().toStdString(), towerBase)) towerBase.clear();
        findings_ = check::CheckProject(document_.Points(), towerBase, {}, document_.OpenProject()->LatLon());
    }
    Fill();
}

void CheckPanel::Fill() {
    model_->removeRows(0, model_->rowCount());
    for (const check::Finding& f : findings_) {
        QList<QStandardItem*> row;
        row << Item(QString::fromUtf8(check::SeverityText(f.severity)), int(f.severity))
            << Item(QString::fromUtf8(f.rule), QString::fromUtf8(f.rule))
            << Item(FromUtf8(f.point), FromUtf8(f.point)) << Item(RowText(f), RowOrder(f))
            << Item(FromUtf8(f.message), FromUtf8(f.message));
        if (f.place == check::Place::ListRow) row[SeverityColumn]->setData(FromUtf8(f.gpsId), kGpsIdRole);
        if (f.place == check::Place::TowerBaseStake) row[SeverityColumn]->setData(FromUtf8(f.point), kStakeRole);
        row[MessageColumn]->setToolTip(FromUtf8(f.message));
        model_->appendRow(row);
    }
    summary_->setText(document_.IsOpen() ? FromUtf8(check::SummaryText(findings_)) : QString());
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
}

void CheckPanel::ApplyFilter() {
    // Index 0 shows all; the others are the severity texts themselves.
    proxy_->setFilterFixedString(filter_->currentIndex() == 0 ? QString() : filter_->currentText());
}

}  // namespace linvara::gui
