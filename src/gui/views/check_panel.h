#pragma once
#include <QDockWidget>
#include <string>

#include "check/finding.h"

class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace linvara::gui {

class ProjectDocument;

// The findings of the project check over the document's current list and the
// project's tower-base rows, filtered by severity and sortable. It follows
// the document while it is shown; double-clicking a finding about a point of
// the list asks for that point to be shown.
class CheckPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CheckPanel(const ProjectDocument& document, QWidget* parent = nullptr);

    // Checks again now, whether shown or not.
    void Refresh();
    const check::Findings& Findings() const { return findings_; }
    QTableView& Table() const { return *table_; }
    QComboBox& Filter() const { return *filter_; }
    QString Summary() const;

signals:
    void pointRequested(const std::string& gpsId);
    // A finding about a tower-base centre stake: the stake of that name.
    void stakeRequested(const QString& name);

private:
    // Checking reads the file and walks the whole list, so a hidden panel waits.
    void RefreshIfShown();
    void ApplyFilter();
    void Fill();

    const ProjectDocument& document_;
    check::Findings findings_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* table_;
    QComboBox* filter_;
    QLabel* summary_;
};

}  // namespace linvara::gui
