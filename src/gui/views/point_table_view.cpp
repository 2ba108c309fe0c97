#include "views/point_table_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "app/project_state.h"
#include "views/point_list_model.h"
#include "views/point_table_host.h"

namespace linvara::gui {

PointTableView::PointTableView(PointTableHost& host, QWidget* parent)
    : QTableView(parent), host_(host), model_(new PointListModel(this)) {
    setModel(model_);
    SetUpLook();
}

PointTableView::~PointTableView() = default;

void PointTableView::SetUpLook() {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Uniform row heights keep 100 000 rows cheap to lay out and scroll.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(24);
    verticalHeader()->setDefaultSectionSize(24);
    horizontalHeader()->setDefaultSectionSize(100);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    setColumnHidden(PointListModel::kGpsIdColumn, true);
    // The selection shows in the same colours with or without the focus.
    QPalette look = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        look.setColor(group, QPalette::Highlight, QColor(0, 191, 243));
        look.setColor(group, QPalette::HighlightedText, QColor(255, 255, 255));
    }
    setPalette(look);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) EditPoint(index.row());
    });
}

const DHPointList& PointTableView::Shown() const {
    static const DHPointList kEmpty;
    return model_->List() ? *model_->List() : kEmpty;
}

void PointTableView::Refill(UpdateHint hint) {
    ProjectState& state = host_.State();
    if (hint == UpdateHint::ProjectLoaded) rowToSelect_ = 0;
    if (!state.loaded()) {
        derived_.clear();
        model_->Reset(nullptr);
        return;
    }
    if (state.viewMode == ViewMode::JStakes) {
        derived_ = JStakeList(state.working);
        model_->Reset(&derived_);
    } else if (state.viewMode == ViewMode::ZStakes) {
        derived_ = ZStakeList(state.working);
        model_->Reset(&derived_);
    } else {
        derived_.clear();
        model_->Reset(&state.working);
    }
    setColumnHidden(PointListModel::kGpsIdColumn, true);
    const int rows = model_->rowCount();
    if (rows == 0) return;
    SelectRow(std::clamp(rowToSelect_, 0, rows - 1));
    if (isVisible()) setFocus();  // never take the keys from the plan view
}

void PointTableView::SelectRow(int row) {
    const QModelIndex at = model_->index(row, 0);
    if (!at.isValid()) return;
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(at);
}

std::vector<int> PointTableView::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int PointTableView::SelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

int PointTableView::SelectionMark() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex())) return current.row();
    return SelectedRow();
}

void PointTableView::SelectRowsByGpsId(const std::vector<std::string>& gpsIds) {
    clearSelection();
    const DHPointList& shown = Shown();
    QItemSelection selection;
    int last = -1;
    for (size_t row = 0; row < shown.size(); ++row) {
        if (std::find(gpsIds.begin(), gpsIds.end(), shown[row].GPS_ID) == gpsIds.end()) continue;
        const int r = static_cast<int>(row);
        selection.select(model_->index(r, 0), model_->index(r, PointListModel::kColumns - 1));
        last = r;
    }
    if (last < 0) return;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model_->index(last, 0), QItemSelectionModel::NoUpdate);
}

void PointTableView::RedrawRow(int row, const DHPoint& point) {
    if (row < 0 || static_cast<size_t>(row) >= Shown().size()) return;
    if (model_->List() == &derived_) derived_[static_cast<size_t>(row)] = point;
    model_->RowChanged(row);
}

std::unique_ptr<QMenu> PointTableView::ContextMenu() {
    if (SelectedRow() < 0) return nullptr;
    auto menu = std::make_unique<QMenu>(QStringLiteral("点编辑"), this);
    connect(menu->addAction(QStringLiteral("编辑")), &QAction::triggered, this, [this] { EditPoint(SelectionMark()); });
    connect(menu->addAction(QStringLiteral("添加")), &QAction::triggered, this, [this] { AddPoint(); });
    connect(menu->addAction(QStringLiteral("删除")), &QAction::triggered, this,
            [this] { DeletePoints(QStringLiteral("确定删除所选点？")); });
    connect(menu->addAction(QStringLiteral("指定J桩")), &QAction::triggered, this, [this] { AppointJStakes(); });
    return menu;
}

void PointTableView::contextMenuEvent(QContextMenuEvent* event) {
    if (std::unique_ptr<QMenu> menu = ContextMenu()) menu->exec(event->globalPos());
}

void PointTableView::keyPressEvent(QKeyEvent* event) {
    // Insert before the selected row and delete the selection from the keyboard.
    if (event->key() == Qt::Key_Insert && SelectedRow() >= 0) {
        InsertPointAt(SelectedRow());
        return;
    }
    if (event->key() == Qt::Key_Delete && SelectedRow() >= 0) {
        DeletePoints(QStringLiteral("确定删除？"));
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectionMark() >= 0) {
        EditPoint(SelectionMark());
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace linvara::gui
