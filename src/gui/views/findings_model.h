#pragma once
#include <QAbstractItemModel>
#include <vector>

#include "check/finding.h"

namespace linvara::gui {

// The findings of a check as a two-level tree: one row per rule ("错误
// aux-missing（3）"), errors' rules first, then warnings', each in the
// order of the rule table; under it the rule's findings. A severity filter
// keeps the rules of one severity. It shows the findings it is given
// without a copy and builds no item per finding, so a hundred thousand
// cost a few vectors of indices.
class FindingsModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { SeverityColumn, RuleColumn, PointColumn, RowColumn, MessageColumn, ColumnCount };
    enum Role {
        GpsIdRole = Qt::UserRole + 1,  // a list point's GPS_ID (findings only)
        StakeRole,                     // a tower-base stake finding's stake name
        RuleRole,                      // the rule's identifier, on rule rows and findings
        SeverityRole,                  // check::Severity as int, on rule rows and findings
    };
    enum class Shown { All, Errors, Warnings };

    explicit FindingsModel(QObject* parent = nullptr);

    // `findings` must outlive the model or the next call.
    void SetFindings(const check::Findings* findings);
    void SetShown(Shown shown);
    // The finding at `index`, or nullptr for a rule row or an invalid index.
    const check::Finding* FindingAt(const QModelIndex& index) const;
    // What a finding shows in `column`.
    static QString CellText(const check::Finding& finding, int column);
    // The rule row of `rule` (invalid when none is shown).
    QModelIndex RuleIndex(const QString& rule) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Sorts the findings within each rule; the rules keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Group {
        check::Severity severity;
        const char* rule;
        std::vector<int> members;  // positions in the findings
    };

    void Build();
    void SortMembers();
    const Group* GroupAt(const QModelIndex& index) const;

    const check::Findings* findings_ = nullptr;
    std::vector<Group> groups_;  // every rule with findings, in showing order
    std::vector<int> shown_;     // the groups the filter keeps
    Shown filter_ = Shown::All;
    int sortColumn_ = RowColumn;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace linvara::gui
