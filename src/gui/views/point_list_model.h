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
// Whoever changes the list calls Show (rows added, removed or moved) or
// RowChanged (one point rewritten).
class PointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 20;
    static constexpr int kGpsIdColumn = 19;

    explicit PointListModel(QObject* parent = nullptr);

    // The points of `mode` from `list` (null: none).
    void Show(const DHPointList* list, ViewMode mode);
    void RowChanged(int row);
    // Every row's values may have changed, none moved.
    void AllRowsChanged();
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

private:
    const DHPointList* list_ = nullptr;
    bool filtered_ = false;
    std::vector<int> rows_;  // list positions of the rows while filtered_, ascending
};

}  // namespace linvara::gui
