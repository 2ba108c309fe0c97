#include "views/check_panel.h"

#include <QComboBox>
#include <QFontMetrics>
#include <algorithm>
#include <cstring>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/project_document.h"
#include "check/finding_text.h"
#include "check/project_check.h"
#include "check/project_source.h"
#include "check/schema_code_rule.h"
#include "views/findings_model.h"

namespace linvara::gui {

CheckPanel::CheckPanel(const ProjectDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("检查"), parent),
      document_(document),
      model_(new FindingsModel(this)),
      tree_(new QTreeView),
      filter_(new QComboBox),
      summary_(new QLabel) {
    setObjectName("checkPanel");
    tree_->setObjectName("findingsTree");
    tree_->setModel(model_);
    tree_->setUniformRowHeights(true);  // a rule of 100 000 findings opens at once
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(FindingsModel::RowColumn, Qt::AscendingOrder);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setAllColumnsShowFocus(true);
    tree_->header()->setStretchLastSection(true);
    tree_->setToolTip(QStringLiteral("双击一条结果以在列表中选中该点"));
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
    layout->addWidget(tree_);
    setWidget(body);

    connect(filter_, &QComboBox::currentIndexChanged, this, &CheckPanel::ApplyFilter);
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const QString gpsId = index.data(FindingsModel::GpsIdRole).toString();
        if (!gpsId.isEmpty()) {
            emit pointRequested(gpsId.toStdString());
            return;
        }
        const QString stake = index.data(FindingsModel::StakeRole).toString();
        if (!stake.isEmpty()) emit stakeRequested(stake);
    });
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        const QString rule = index.data(FindingsModel::RuleRole).toString();
        openedRules_.insert(rule);
        closedRules_.remove(rule);
    });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        const QString rule = index.data(FindingsModel::RuleRole).toString();
        closedRules_.insert(rule);
        openedRules_.remove(rule);
    });
    connect(&document, &ProjectDocument::listReset, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::pointChanged, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::orderChanged, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::pointsInserted, this, &CheckPanel::RefreshIfShown);
    connect(&document, &ProjectDocument::pointsRemoved, this, &CheckPanel::RefreshIfShown);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) Refresh();
    });
}

QString CheckPanel::Summary() const { return summary_->text(); }

void CheckPanel::RefreshIfShown() {
    if (isVisible()) Refresh();
}

void CheckPanel::Refresh() {
    check::Findings found;
    if (document_.IsOpen()) {
        const Project& project = *document_.OpenProject();
        SectionPointList towerBase;
        // A project without readable tower-base rows is still checked for its list.
        if (!check::ReadTowerBasePoints(project, towerBase)) towerBase.clear();
        check::StoredValueTroubles stored;
        if (!check::ReadStoredValueTroubles(project, stored)) stored.clear();
        found = check::CheckProject(document_.Points(), towerBase, {}, project.LatLon(), stored);
        check::AddSchemaCodeFinding(project.SchemaCode(), found);
    }
    model_->SetFindings(nullptr);  // the model never sees the old findings go
    findings_ = std::move(found);
    Fill();
}

void CheckPanel::Fill() {
    model_->SetFindings(&findings_);
    OpenRules();
    summary_->setText(document_.IsOpen() ? QString::fromStdString(check::SummaryText(findings_)) : QString());
    FitColumns();
}

// Sized for the widest texts of all findings, shown or not: a view measures
// only the rows it shows, and closed rules show none.
void CheckPanel::FitColumns() {
    // The candidates for the widest text of each column: rule, point, list row, tower-base row.
    const check::Finding* widest[4] = {};
    const auto pointSize = [](const check::Finding* f) { return f->point.size() + f->section.size(); };
    for (const check::Finding& f : findings_) {
        if (!widest[0] || std::strlen(f.rule) > std::strlen(widest[0]->rule)) widest[0] = &f;
        if (!widest[1] || pointSize(&f) > pointSize(widest[1])) widest[1] = &f;
        const std::size_t place = f.place == check::Place::ListRow ? 2 : 3;
        if (f.place != check::Place::Project && (!widest[place] || f.row > widest[place]->row)) widest[place] = &f;
    }
    const QFontMetrics metrics = tree_->fontMetrics();
    const int pad = 2 * tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_) + 12;
    const auto fit = [&](int column, std::initializer_list<const check::Finding*> candidates) {
        int width = metrics.horizontalAdvance(model_->headerData(column, Qt::Horizontal).toString());
        for (const check::Finding* f : candidates)
            if (f) width = std::max(width, metrics.horizontalAdvance(FindingsModel::CellText(*f, column)));
        tree_->setColumnWidth(column, std::min(width + pad, 240));
    };
    tree_->setColumnWidth(FindingsModel::SeverityColumn,
                          tree_->indentation() + metrics.horizontalAdvance(QStringLiteral("严重性")) + pad);
    fit(FindingsModel::RuleColumn, {widest[0]});
    fit(FindingsModel::PointColumn, {widest[1]});
    fit(FindingsModel::RowColumn, {widest[2], widest[3]});
}

void CheckPanel::OpenRules() {
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QModelIndex rule = model_->index(row, 0);
        tree_->setFirstColumnSpanned(row, {}, true);  // "错误 aux-missing（3）" across the columns
        const QString id = rule.data(FindingsModel::RuleRole).toString();
        const bool open = openedRules_.contains(id) ||
                          (!closedRules_.contains(id) &&
                           rule.data(FindingsModel::SeverityRole).toInt() == int(check::Severity::Error));
        const QSignalBlocker quiet(tree_);  // not the user's choice
        tree_->setExpanded(rule, open);
    }
}

void CheckPanel::ApplyFilter() {
    static constexpr FindingsModel::Shown kShown[] = {FindingsModel::Shown::All, FindingsModel::Shown::Errors,
                                                      FindingsModel::Shown::Warnings};
    model_->SetShown(kShown[std::clamp(filter_->currentIndex(), 0, 2)]);
    OpenRules();
}

}  // namespace linvara::gui
