#pragma once
#include <QTableView>
#include <memory>
#include <string>
#include <vector>

#include "common/view_types.h"
#include "dialogs/point_dialog.h"
#include "model/dh_point_list.h"
#include "model/stake_sequence.h"

class QMenu;

namespace linvara::gui {

class PointTableHost;
class PointListModel;

// The table of the working stake list (view mode 0) or of its J or Z stakes
// (J/Z-stake editing), rows coloured by kind; where points are added, inserted,
// edited and deleted and J stakes appointed and moved.
class PointTableView : public QTableView {
    Q_OBJECT
public:
    explicit PointTableView(PointTableHost& host, QWidget* parent = nullptr);
    ~PointTableView() override;

    // The document's update: rebuilds the rows from the project state.
    void Refill(UpdateHint hint);

    void AddPoint();
    void InsertPointAt(int row);
    void EditPoint(int row);
    void EditPointAt(int row) { EditPoint(row); }
    void DeletePoints(const QString& prompt);
    // Removes the points from the working list and the database, renumbers
    // the order and updates all views (no question asked).
    void DeleteByGpsIds(const std::vector<std::string>& gpsIds);
    void AppointJStakes();
    void MoveJStake(JMove kind);
    void RedrawRow(int row, const DHPoint& point);

    // The first selected row, or -1.
    int SelectedRow() const;
    // The row last clicked while selected (the edit target), or -1.
    int SelectionMark() const;
    std::vector<int> SelectedRows() const;
    void SelectRowsByGpsId(const std::vector<std::string>& gpsIds);
    void SelectRow(int row);

    // "点编辑" (编辑, 添加, 删除, 指定J桩); none while no row is selected.
    std::unique_ptr<QMenu> ContextMenu();

    // The points listed: the working list itself in mode 0, else a copy.
    const DHPointList& Shown() const;
    PointListModel& Model() { return *model_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpLook();
    void AddOrInsert(PointDialog::Task task, int row);
    int WorkingIndexOfRow(int row) const;

    PointTableHost& host_;
    PointListModel* model_;
    DHPointList derived_;  // the J or Z stakes while mode 1 or 2 is shown
    int rowToSelect_ = 0;
};

}  // namespace linvara::gui
