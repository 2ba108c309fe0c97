#include "views/findings_model.h"

#include <QFont>
#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "check/rule_table.h"

namespace linvara::gui {
namespace {

// A rule row's internal id; a finding's is its rule row's place among the shown + 1.
constexpr quintptr kRuleRow = 0;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Project-wide findings first, then list rows, then tower-base rows.
long long RowOrder(const check::Finding& f) {
    switch (f.place) {
        case check::Place::Project: return -1;
        case check::Place::ListRow: return f.row;
        default: return (1LL << 32) + f.row;
    }
}

QString RowText(const check::Finding& f) {
    switch (f.place) {
        case check::Place::Project: return QStringLiteral("-");
        case check::Place::ListRow: return QString::number(f.row + 1);
        default: return QStringLiteral("塔基%1").arg(f.row + 1);
    }
}

// The point column: a tower-base stake finding names its section too.
std::string PointText(const check::Finding& f) {
    return f.section.empty() ? f.point : f.point + " " + f.section + "断面";
}

// Whether `a` sorts before `b` by `column`, ascending; byte order of UTF-8
// is code point order, as a text column sorts.
bool Before(const check::Finding& a, const check::Finding& b, int column) {
    switch (column) {
        case FindingsModel::PointColumn: return PointText(a) < PointText(b);
        case FindingsModel::MessageColumn: return a.message < b.message;
        default: return RowOrder(a) < RowOrder(b);  // severity and rule are one per group
    }
}

}  // namespace

FindingsModel::FindingsModel(QObject* parent) : QAbstractItemModel(parent) {}

void FindingsModel::SetFindings(const check::Findings* findings) {
    beginResetModel();
    findings_ = findings;
    Build();
    endResetModel();
}

void FindingsModel::SetShown(Shown shown) {
    beginResetModel();
    filter_ = shown;
    Build();
    endResetModel();
}

void FindingsModel::Build() {
    groups_.clear();
    shown_.clear();
    if (!findings_) return;
    std::unordered_map<std::string_view, std::size_t> byRule;
    for (std::size_t i = 0; i < findings_->size(); ++i) {
        const check::Finding& f = (*findings_)[i];
        const auto [at, added] = byRule.try_emplace(f.rule, groups_.size());
        if (added) groups_.push_back({f.severity, f.rule, {}});
        groups_[at->second].members.push_back(static_cast<int>(i));
    }
    std::stable_sort(groups_.begin(), groups_.end(), [](const Group& a, const Group& b) {
        if (a.severity != b.severity) return a.severity == check::Severity::Error;
        return check::RuleOrder(a.rule) < check::RuleOrder(b.rule);
    });
    SortMembers();
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const bool error = groups_[g].severity == check::Severity::Error;
        if (filter_ == Shown::All || (filter_ == Shown::Errors) == error) shown_.push_back(static_cast<int>(g));
    }
}

void FindingsModel::SortMembers() {
    for (Group& g : groups_) {
        std::stable_sort(g.members.begin(), g.members.end(), [this](int a, int b) {
            const check::Finding& fa = (*findings_)[static_cast<std::size_t>(a)];
            const check::Finding& fb = (*findings_)[static_cast<std::size_t>(b)];
            return sortOrder_ == Qt::AscendingOrder ? Before(fa, fb, sortColumn_) : Before(fb, fa, sortColumn_);
        });
    }
}

void FindingsModel::sort(int column, Qt::SortOrder order) {
    if (column == sortColumn_ && order == sortOrder_) return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The view holds an index of every row it has laid out, and selections
    // and the current finding follow their finding.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> finding(static_cast<std::size_t>(before.size()), -1);
    for (qsizetype i = 0; i < before.size(); ++i)
        if (const Group* g = GroupAt(before[i].parent()))
            finding[static_cast<std::size_t>(i)] = g->members[static_cast<std::size_t>(before[i].row())];
    sortColumn_ = column;
    sortOrder_ = order;
    SortMembers();
    std::vector<int> rowOf(findings_ ? findings_->size() : 0);
    for (const Group& g : groups_)
        for (std::size_t row = 0; row < g.members.size(); ++row)
            rowOf[static_cast<std::size_t>(g.members[row])] = static_cast<int>(row);
    QModelIndexList after = before;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int f = finding[static_cast<std::size_t>(i)];
        if (f >= 0) after[i] = index(rowOf[static_cast<std::size_t>(f)], before[i].column(), before[i].parent());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const FindingsModel::Group* FindingsModel::GroupAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() != kRuleRow) return nullptr;
    if (index.row() < 0 || index.row() >= static_cast<int>(shown_.size())) return nullptr;
    return &groups_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
}

const check::Finding* FindingsModel::FindingAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kRuleRow) return nullptr;
    const Group* g = GroupAt(parent(index));
    if (!g || index.row() < 0 || index.row() >= static_cast<int>(g->members.size())) return nullptr;
    return &(*findings_)[static_cast<std::size_t>(g->members[static_cast<std::size_t>(index.row())])];
}

QModelIndex FindingsModel::RuleIndex(const QString& rule) const {
    for (std::size_t i = 0; i < shown_.size(); ++i)
        if (QString::fromUtf8(groups_[static_cast<std::size_t>(shown_[i])].rule) == rule)
            return index(static_cast<int>(i), 0);
    return {};
}

QModelIndex FindingsModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= ColumnCount || row < 0) return {};
    if (!parent.isValid())
        return row < static_cast<int>(shown_.size()) ? createIndex(row, column, kRuleRow) : QModelIndex();
    const Group* g = GroupAt(parent);
    if (!g || parent.column() != 0 || row >= static_cast<int>(g->members.size())) return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex FindingsModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kRuleRow) return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kRuleRow);
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return static_cast<int>(shown_.size());
    if (parent.column() != 0) return 0;
    const Group* g = GroupAt(parent);
    return g ? static_cast<int>(g->members.size()) : 0;
}

int FindingsModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (const Group* g = GroupAt(index)) {
        if (role == RuleRole) return QString::fromUtf8(g->rule);
        if (role == SeverityRole) return static_cast<int>(g->severity);
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role != Qt::DisplayRole || index.column() != SeverityColumn) return {};
        QString label = QStringLiteral("%1 %2（%3）")
                            .arg(QString::fromUtf8(check::SeverityText(g->severity)), QString::fromUtf8(g->rule))
                            .arg(g->members.size());
        // A finding about the whole project ("项目尚未排序") reads best at once.
        const check::Finding& first = (*findings_)[static_cast<std::size_t>(g->members.front())];
        if (g->members.size() == 1 && first.place == check::Place::Project)
            label += QStringLiteral("：") + FromUtf8(first.message);
        return label;
    }
    const check::Finding* f = FindingAt(index);
    if (!f) return {};
    switch (role) {
        case GpsIdRole: return f->place == check::Place::ListRow ? FromUtf8(f->gpsId) : QString();
        case StakeRole: return f->place == check::Place::TowerBaseStake ? FromUtf8(f->point) : QString();
        case RuleRole: return QString::fromUtf8(f->rule);
        case SeverityRole: return static_cast<int>(f->severity);
        case Qt::ToolTipRole: return index.column() == MessageColumn ? FromUtf8(f->message) : QVariant();
        case Qt::DisplayRole: break;
        default: return {};
    }
    return CellText(*f, index.column());
}

QString FindingsModel::CellText(const check::Finding& f, int column) {
    switch (column) {
        case SeverityColumn: return QString::fromUtf8(check::SeverityText(f.severity));
        case RuleColumn: return QString::fromUtf8(f.rule);
        case PointColumn: return FromUtf8(PointText(f));
        case RowColumn: return RowText(f);
        case MessageColumn: return FromUtf8(f.message);
    }
    return {};
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {"严重性", "规则", "点名", "行", "说明"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

Qt::ItemFlags FindingsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace linvara::gui
