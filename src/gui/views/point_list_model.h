#pragma once
#include <QAbstractTableModel>
#include <string>

#include "model/dh_point_list.h"

namespace linvara::gui {

// The table of the list view over a list it does not own: it reads the
// points on demand, so 100 000 rows cost nothing and nothing can drift.
// Whoever changes the list calls Reset (rows added or removed) or
// RowChanged (one point rewritten).
class PointListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 20;
    static constexpr int kGpsIdColumn = 19;

    explicit PointListModel(QObject* parent = nullptr);

    void Reset(const DHPointList* list);
    void RowChanged(int row);
    const DHPointList* List() const { return list_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of one cell, by the column rules.
    static std::string CellText(const DHPoint& point, int column);
    // Row fill and text colours by kind (unselected rows).
    static QColor FillColor(int dhType);

private:
    const DHPoint* PointAt(int row) const;

    const DHPointList* list_ = nullptr;
};

}  // namespace linvara::gui
