#pragma once
#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "model/dh_point_list.h"

namespace linvara::gui {

// The table of the list view over a list it does not own: it reads the
// points on demand, so 100 000 rows cost nothing and nothing can drift. In
// J/Z-stake editing it lists the positions of those stakes, never copies.
// Whoever changes the list tells it what changed, row by row where points
// were added, removed or edited, so the views keep their selection and
// scroll position; a reorder moves the selection with its points.
class PointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 20;
    static constexpr int kGpsIdColumn = 19;

    explicit PointListModel(QObject* parent = nullptr);

    // The points of `mode` from `list` (null: none), as a new table.
    void Show(const DHPointList* list, ViewMode mode);
    // Points were put in the list at these positions (ascending).
    void PointsInserted(const std::vector<int>& indices);
    // Points were taken out from these positions (ascending, as the list stood).
    void PointsRemoved(const std::vector<int>& indices);
    // The point at `index` of the list changed; in J/Z-stake editing a
    // change of kind adds or removes its row.
    void PointChanged(int index);
    // Around a reorder or recomputation of the whole list (the same points).
    void OrderAboutToChange();
    void OrderChanged();
    const DHPointList* List() const { return list_; }
    const DHPoint* PointAt(int row) const;
    // The position in the list of the point on `row`, and back; -1 for none.
    int IndexOfRow(int row) const;
    int RowOfIndex(int index) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of one cell, by the column rules.
    static std::string CellText(const DHPoint& point, int column);
    // Row fill and text colours by kind (unselected rows).
    static QColor FillColor(int dhType);
    static QColor TextColor(int dhType);

    // The column headers, in column order.
    static QString Header(int column);

private:
    // Whether the list's point at `index` has a row in this mode.
    bool Shows(int index) const;
    std::vector<int> FilteredRows() const;

    const DHPointList* list_ = nullptr;
    bool filtered_ = false;
    int kind_ = 0;           // the kind listed while filtered_
    int count_ = 0;          // the rows while not filtered_ (the list may be ahead)
    std::vector<int> rows_;  // list positions of the rows while filtered_, ascending
    // While a reorder runs: the point of each persistent index.
    std::vector<std::pair<QPersistentModelIndex, std::string>> moving_;
    bool reordering_ = false;
};

}  // namespace linvara::gui
