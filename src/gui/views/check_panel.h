#pragma once
#include <QDockWidget>
#include <QSet>
#include <QString>
#include <string>

#include "check/finding.h"

class QComboBox;
class QLabel;
class QTreeView;

namespace linvara::gui {

class FindingsModel;
class ProjectDocument;

// The findings of the project check over the document's current list and the
// project's tower-base rows: errors first, then warnings, grouped by rule
// with their counts (errors open, warnings closed), filtered by severity
// and sortable within each rule. It follows the document while it is shown;
// double-clicking a finding about a point of the list asks for that point
// to be shown.
class CheckPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CheckPanel(const ProjectDocument& document, QWidget* parent = nullptr);

    // Checks again now, whether shown or not.
    void Refresh();
    const check::Findings& Findings() const { return findings_; }
    QTreeView& Tree() const { return *tree_; }
    const FindingsModel& Model() const { return *model_; }
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
    // Opens the rule rows after a refill as the user left them; a rule not
    // opened or closed yet is open when it holds errors.
    void OpenRules();
    void FitColumns();

    const ProjectDocument& document_;
    check::Findings findings_;
    FindingsModel* model_;
    QTreeView* tree_;
    QComboBox* filter_;
    QLabel* summary_;
    QSet<QString> openedRules_, closedRules_;  // kept across refreshes
};

}  // namespace linvara::gui
