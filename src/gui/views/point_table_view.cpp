#include "views/point_table_view.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <unordered_set>

#include "app/project_document.h"
#include "views/point_list_model.h"
#include "views/rows_as_text.h"

namespace linvara::gui {

PointTableView::PointTableView(const ProjectDocument& document, QWidget* parent)
    : QTableView(parent), document_(document), model_(new PointListModel(this)) {
    setModel(model_);
    SetUpLook();
    connect(&document, &ProjectDocument::listReset, this, &PointTableView::OnListReset);
    connect(&document, &ProjectDocument::viewModeChanged, this, &PointTableView::OnListReset);
    connect(&document, &ProjectDocument::pointsInserted, this, &PointTableView::OnPointsInserted);
    connect(&document, &ProjectDocument::pointsRemoved, model_, &PointListModel::PointsRemoved);
    connect(&document, &ProjectDocument::pointChanged, model_, &PointListModel::PointChanged);
    connect(&document, &ProjectDocument::orderAboutToChange, model_, &PointListModel::OrderAboutToChange);
    connect(&document, &ProjectDocument::orderChanged, this, &PointTableView::OnOrderChanged);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &PointTableView::OnRowsRemoved);
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
    // The selection shows in the same colours with or without the focus: a
    // deep cyan that white text reads on (5.7:1).
    QPalette look = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        look.setColor(group, QPalette::Highlight, QColor(0, 110, 150));
        look.setColor(group, QPalette::HighlightedText, QColor(255, 255, 255));
    }
    setPalette(look);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) EditPoint(index.row());
    });
}

// --- the document's signals ------------------------------------------------

// A new list: its first row selected.
void PointTableView::OnListReset() {
    model_->Show(document_.IsOpen() ? &document_.Points() : nullptr, document_.Mode());
    setColumnHidden(PointListModel::kGpsIdColumn, true);
    if (model_->rowCount() == 0) return;
    SelectRow(0);
    if (isVisible()) setFocus();  // never take the keys from the plan view
}

// The point the user just added is selected; points put back elsewhere
// leave the selection and the scroll position as they are.
void PointTableView::OnPointsInserted(const std::vector<int>& indices) {
    model_->PointsInserted(indices);
    if (!document_.Focus().empty()) SelectRowsByGpsId(document_.Focus());
}

// Deleting the selected rows selects the row that took their place.
void PointTableView::OnRowsRemoved(const QModelIndex&, int first) {
    const int rows = model_->rowCount();
    if (rows == 0 || selectionModel()->hasSelection()) return;
    SelectRow(std::min(first, rows - 1));
}

// The selection moved with its points; the current one stays in sight.
void PointTableView::OnOrderChanged() {
    model_->OrderChanged();
    if (currentIndex().isValid() && selectionModel()->isSelected(currentIndex())) scrollTo(currentIndex());
}

// --- selection --------------------------------------------------------------

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

std::vector<std::string> PointTableView::SelectedGpsIds() const {
    std::vector<std::string> ids;
    for (int row : SelectedRows())
        if (const DHPoint* point = model_->PointAt(row)) ids.push_back(point->GPS_ID);
    return ids;
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
    const std::unordered_set<std::string> wanted(gpsIds.begin(), gpsIds.end());
    QItemSelection selection;
    int last = -1;
    int runStart = -1;  // consecutive rows go in as one range
    const auto closeRun = [&](int end) {
        if (runStart >= 0) selection.select(model_->index(runStart, 0), model_->index(end, PointListModel::kColumns - 1));
        runStart = -1;
    };
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (!wanted.contains(model_->PointAt(row)->GPS_ID)) {
            closeRun(row - 1);
            continue;
        }
        if (runStart < 0) runStart = row;
        last = row;
    }
    closeRun(last);
    if (last < 0) return;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model_->index(last, 0), QItemSelectionModel::NoUpdate);
    scrollTo(model_->index(last, 0));
}

// --- requests ---------------------------------------------------------------

std::string PointTableView::GpsIdAt(int row) const {
    const DHPoint* point = model_->PointAt(row);
    return point ? point->GPS_ID : std::string();
}

void PointTableView::AddPoint() {
    if (document_.IsOpen()) emit addRequested(GpsIdAt(SelectedRow()));
}

void PointTableView::InsertPointAt(int row) {
    const std::string gpsId = GpsIdAt(row);
    if (!gpsId.empty()) emit insertRequested(gpsId);
}

void PointTableView::EditPoint(int row) {
    const std::string gpsId = GpsIdAt(row);
    if (!gpsId.empty()) emit editRequested(gpsId);
}

// The user sees what is deleted: the selection is scrolled into view before the question.
void PointTableView::DeletePoints(const QString& prompt) {
    const std::vector<std::string> ids = SelectedGpsIds();
    if (ids.empty()) return;
    scrollTo(model_->index(SelectedRow(), 0));
    emit deleteRequested(ids, prompt);
}

void PointTableView::AppointJStakes() {
    const std::vector<std::string> ids = SelectedGpsIds();
    if (!ids.empty()) emit appointRequested(ids);
}

int PointTableView::CopySelectedRows() {
    const std::vector<int> rows = SelectedRows();
    if (!rows.empty()) QGuiApplication::clipboard()->setText(RowsAsText(*this, rows));
    return static_cast<int>(rows.size());
}

std::unique_ptr<QMenu> PointTableView::ContextMenu() {
    if (SelectedRow() < 0) return nullptr;
    auto menu = std::make_unique<QMenu>(QStringLiteral("点编辑"), this);
    connect(menu->addAction(QStringLiteral("编辑")), &QAction::triggered, this, [this] { EditPoint(SelectionMark()); });
    connect(menu->addAction(QStringLiteral("添加")), &QAction::triggered, this, [this] { AddPoint(); });
    connect(menu->addAction(QStringLiteral("删除")), &QAction::triggered, this,
            [this] { DeletePoints(QStringLiteral("确定删除所选点？")); });
    connect(menu->addAction(QStringLiteral("指定J桩")), &QAction::triggered, this, [this] { AppointJStakes(); });
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("复制")), &QAction::triggered, this, [this] { CopySelectedRows(); });
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
    // Whole rows, not the one cell the table would copy.
    if (event->matches(QKeySequence::Copy)) {
        CopySelectedRows();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectionMark() >= 0) {
        EditPoint(SelectionMark());
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace linvara::gui
