#pragma once
#include <QTableView>
#include <memory>
#include <string>
#include <vector>

class QMenu;

namespace linvara::gui {

class PointListModel;
class ProjectDocument;

// The table of the working stake list (view mode 0) or of its J or Z stakes
// (J/Z-stake editing), rows coloured by kind. It observes the document and
// asks for point commands (add, insert, edit, delete, appoint) by GPS_ID;
// whoever holds the dialogs carries them out.
class PointTableView : public QTableView {
    Q_OBJECT
public:
    explicit PointTableView(const ProjectDocument& document, QWidget* parent = nullptr);
    ~PointTableView() override;

    // Requests for the point on `row` (or the selected rows).
    void AddPoint();
    void InsertPointAt(int row);
    void EditPoint(int row);
    void DeletePoints(const QString& prompt);
    void AppointJStakes();
    // The selected rows onto the clipboard as a spreadsheet pastes them
    // (Ctrl+C, 复制); how many rows were copied (none without a selection).
    int CopySelectedRows();

    // The first selected row, or -1.
    int SelectedRow() const;
    // The row last clicked while selected (the edit target), or -1.
    int SelectionMark() const;
    std::vector<int> SelectedRows() const;
    std::vector<std::string> SelectedGpsIds() const;
    void SelectRowsByGpsId(const std::vector<std::string>& gpsIds);
    void SelectRow(int row);

    // "点编辑" (编辑, 添加, 删除, 指定J桩, 复制); none while no row is selected.
    std::unique_ptr<QMenu> ContextMenu();

    PointListModel& Model() { return *model_; }
    const PointListModel& Model() const { return *model_; }

signals:
    // With the selected point (its kind is the new point's), or empty.
    void addRequested(const std::string& selectedGpsId);
    void insertRequested(const std::string& beforeGpsId);
    void editRequested(const std::string& gpsId);
    void deleteRequested(const std::vector<std::string>& gpsIds, const QString& prompt);
    void appointRequested(const std::vector<std::string>& gpsIds);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpLook();
    // The document's and the model's signals.
    void OnListReset();
    void OnPointsInserted(const std::vector<int>& indices);
    void OnRowsRemoved(const QModelIndex& parent, int first);
    void OnOrderChanged();
    std::string GpsIdAt(int row) const;

    const ProjectDocument& document_;
    PointListModel* model_;
};

}  // namespace linvara::gui
