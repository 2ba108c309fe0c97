#include "views/point_list_model.h"

#include <QColor>
#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>

#include "model/code_tables.h"
#include "text/format.h"

namespace linvara::gui {
namespace {

std::string Fixed3(double value) { return text::Format("%.3f", value); }

std::string FeatureCodeText(const DHPoint& p) {
    if (p.DHType == AuxPoint) return CodeText(PointCodeTable(), p.ObjectCode);
    if (p.DHType == CrossingOnePoint) return CodeText(CrossingObjectTable(), p.LXCode);
    if (p.DHType >= FeatureOnePoint) return CodeText(FeatureClassTable(), p.GLCode);
    return {};
}

std::string PoleOrWidthText(const DHPoint& p) {
    if (p.DHType == CrossingOnePoint) return PoleTypeText(p.PoleType);
    if (p.DHType >= FeatureOnePoint) return Fixed3(p.GLWide);
    return {};
}

bool HasSectionPoints(const DHPoint& p) { return p.DHType == FeatureTwoPoint || p.DHType == HouseThreePoint; }

// The columns of the list, in order: header and cell text.
struct Column {
    const char* header;
    std::string (*text)(const DHPoint& p);
};

constexpr Column kColumnTable[] = {
    {"点名", [](const DHPoint& p) { return p.NewPtName; }},
    {"原点名", [](const DHPoint& p) { return p.OrgPtName; }},
    {"北坐标x", [](const DHPoint& p) { return Fixed3(p.Dx); }},
    {"东坐标y", [](const DHPoint& p) { return Fixed3(p.Dy); }},
    {"高程h", [](const DHPoint& p) { return Fixed3(p.Dh); }},
    {"编码", [](const DHPoint& p) { return p.Code; }},
    {"备注", [](const DHPoint& p) { return p.Note; }},
    {"点类型", [](const DHPoint& p) { return std::string(DHTypeName(p.DHType)); }},
    {"里程", [](const DHPoint& p) { return Fixed3(p.Mileage); }},
    {"偏距", [](const DHPoint& p) { return Fixed3(p.Offset); }},
    {"量高", [](const DHPoint& p) { return Fixed3(p.AddHight); }},
    {"地物类编码", FeatureCodeText},
    {"杆型/地物宽", PoleOrWidthText},
    {"跨越角/地物长", [](const DHPoint& p) { return Fixed3(p.CrossAngle); }},
    {"后中断面点", [](const DHPoint& p) { return HasSectionPoints(p) ? p.BZdmPt : std::string(); }},
    {"前中断面点", [](const DHPoint& p) { return HasSectionPoints(p) ? p.FZdmPt : std::string(); }},
    {"天线高", [](const DHPoint& p) { return Fixed3(p.AntHight); }},
    {"起点J桩", [](const DHPoint& p) { return p.StartJ; }},
    {"终点J桩", [](const DHPoint& p) { return p.EndJ; }},
    {"GPS_ID", [](const DHPoint& p) { return p.GPS_ID; }},
};
static_assert(std::size(kColumnTable) == PointListModel::kColumns);
static_assert(std::string_view(kColumnTable[PointListModel::kGpsIdColumn].header) == "GPS_ID");

}  // namespace

PointListModel::PointListModel(QObject* parent) : QAbstractTableModel(parent) {}

bool PointListModel::Shows(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < list_->size() &&
           (*list_)[static_cast<std::size_t>(index)].DHType == kind_;
}

std::vector<int> PointListModel::FilteredRows() const {
    std::vector<int> rows;
    for (int i = 0; i < static_cast<int>(list_->size()); ++i)
        if (Shows(i)) rows.push_back(i);
    return rows;
}

void PointListModel::Show(const DHPointList* list, ViewMode mode) {
    if (reordering_) OrderChanged();  // a reload in the middle of a reorder
    beginResetModel();
    list_ = list;
    filtered_ = list && mode != ViewMode::AllPoints;
    kind_ = mode == ViewMode::JStakes ? JStake : ZStake;
    count_ = list ? static_cast<int>(list->size()) : 0;
    rows_.clear();
    if (filtered_) rows_ = FilteredRows();
    endResetModel();
}

// Runs of consecutive positions go in as one insertion each.
void PointListModel::PointsInserted(const std::vector<int>& indices) {
    if (!list_) return;
    if (!filtered_) {
        for (std::size_t i = 0; i < indices.size();) {
            std::size_t end = i + 1;
            while (end < indices.size() && indices[end] == indices[end - 1] + 1) ++end;
            beginInsertRows({}, indices[i], indices[end - 1]);
            count_ += static_cast<int>(end - i);
            endInsertRows();
            i = end;
        }
        return;
    }
    for (int index : indices) {
        for (int& at : rows_)
            if (at >= index) ++at;
        if (!Shows(index)) continue;
        const int row = static_cast<int>(std::lower_bound(rows_.begin(), rows_.end(), index) - rows_.begin());
        beginInsertRows({}, row, row);
        rows_.insert(rows_.begin() + row, index);
        endInsertRows();
    }
}

// From the last, so the positions before each stay as they were.
void PointListModel::PointsRemoved(const std::vector<int>& indices) {
    if (!list_) return;
    if (!filtered_) {
        for (std::size_t end = indices.size(); end > 0;) {
            std::size_t first = end - 1;
            while (first > 0 && indices[first - 1] == indices[first] - 1) --first;
            beginRemoveRows({}, indices[first], indices[end - 1]);
            count_ -= static_cast<int>(end - first);
            endRemoveRows();
            end = first;
        }
        return;
    }
    for (auto index = indices.rbegin(); index != indices.rend(); ++index) {
        const auto it = std::lower_bound(rows_.begin(), rows_.end(), *index);
        if (it != rows_.end() && *it == *index) {
            const int row = static_cast<int>(it - rows_.begin());
            beginRemoveRows({}, row, row);
            rows_.erase(it);
            endRemoveRows();
        }
        for (int& at : rows_)
            if (at > *index) --at;
    }
}

void PointListModel::PointChanged(int index) {
    if (!list_ || index < 0 || static_cast<std::size_t>(index) >= list_->size()) return;
    const int row = RowOfIndex(index);
    const bool shows = !filtered_ || Shows(index);
    if (row >= 0 && shows) {
        emit dataChanged(this->index(row, 0), this->index(row, kColumns - 1));
    } else if (row >= 0) {  // its kind left the stakes listed
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        endRemoveRows();
    } else if (shows) {  // ... or joined them
        const int at = static_cast<int>(std::lower_bound(rows_.begin(), rows_.end(), index) - rows_.begin());
        beginInsertRows({}, at, at);
        rows_.insert(rows_.begin() + at, index);
        endInsertRows();
    }
}

// The persistent indexes (the view's selection and current row among them)
// follow their points to wherever the reorder puts them.
void PointListModel::OrderAboutToChange() {
    if (!list_ || reordering_) return;
    emit layoutAboutToBeChanged();
    reordering_ = true;
    moving_.clear();
    for (const QModelIndex& at : persistentIndexList()) {
        const DHPoint* point = PointAt(at.row());
        moving_.emplace_back(at, point ? point->GPS_ID : std::string());
    }
}

void PointListModel::OrderChanged() {
    if (!reordering_) return;
    reordering_ = false;
    const std::vector<int> rows = filtered_ ? FilteredRows() : std::vector<int>();
    const bool sameRows = !filtered_ || rows.size() == rows_.size();
    if (sameRows) {
        rows_ = rows;
        count_ = static_cast<int>(list_->size());
    }
    std::unordered_map<std::string, int> newRow;
    for (const auto& entry : moving_) newRow.emplace(entry.second, -1);
    for (int i = 0; i < static_cast<int>(list_->size()); ++i) {
        const auto it = newRow.find((*list_)[static_cast<std::size_t>(i)].GPS_ID);
        if (it != newRow.end()) it->second = RowOfIndex(i);
    }
    QModelIndexList from, to;
    for (const auto& [at, gpsId] : moving_) {
        from.push_back(at);
        const int row = sameRows ? newRow[gpsId] : -1;
        to.push_back(row >= 0 ? index(row, at.column()) : QModelIndex());
    }
    moving_.clear();
    changePersistentIndexList(from, to);
    emit layoutChanged();
    // A recomputation that changed kinds changes which stakes are listed:
    // those rows start over.
    if (!sameRows) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }
}

int PointListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !list_) return 0;
    return filtered_ ? static_cast<int>(rows_.size()) : count_;
}

int PointListModel::IndexOfRow(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    return filtered_ ? rows_[static_cast<size_t>(row)] : row;
}

int PointListModel::RowOfIndex(int index) const {
    if (!list_ || index < 0 || index >= (filtered_ ? static_cast<int>(list_->size()) : count_)) return -1;
    if (!filtered_) return index;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), index);
    return it != rows_.end() && *it == index ? static_cast<int>(it - rows_.begin()) : -1;
}

int PointListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

const DHPoint* PointListModel::PointAt(int row) const {
    const int at = IndexOfRow(row);
    // Positions are checked against the list itself: it changes before the
    // model hears of it.
    if (at < 0 || static_cast<size_t>(at) >= list_->size()) return nullptr;
    return &(*list_)[static_cast<size_t>(at)];
}

QVariant PointListModel::data(const QModelIndex& index, int role) const {
    const DHPoint* point = index.isValid() ? PointAt(index.row()) : nullptr;
    if (!point || index.column() < 0 || index.column() >= kColumns) return {};
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(CellText(*point, index.column()));
        case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        case Qt::BackgroundRole: return FillColor(point->DHType);
        case Qt::ForegroundRole: return TextColor(point->DHType);
        // Long names and codes are cut off in their columns.
        case Qt::ToolTipRole: {
            const std::string text = CellText(*point, index.column());
            return text.size() > 12 ? QVariant(QString::fromStdString(text)) : QVariant();
        }
        default: return {};
    }
}

QString PointListModel::Header(int column) {
    return column >= 0 && column < kColumns ? QString::fromUtf8(kColumnTable[column].header) : QString();
}

QVariant PointListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    if (role == Qt::DisplayRole) return Header(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

std::string PointListModel::CellText(const DHPoint& p, int column) {
    return column >= 0 && column < kColumns ? kColumnTable[column].text(p) : std::string();
}

// White on the dark J-stake red (7.7:1); black on the others.
QColor PointListModel::TextColor(int dhType) {
    return dhType == JStake ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

QColor PointListModel::FillColor(int dhType) {
    if (dhType == JStake) return QColor(128, 64, 64);
    if (dhType == ZStake) return QColor(255, 128, 255);
    return QColor(255, 255, 255);
}

}  // namespace linvara::gui
