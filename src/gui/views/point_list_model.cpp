#include "views/point_list_model.h"

#include <QColor>
#include <algorithm>

#include "model/code_tables.h"
#include "text/format.h"

namespace linvara::gui {
namespace {

const char* const kHeaders[PointListModel::kColumns] = {
    "点名", "原点名", "北坐标x", "东坐标y", "高程h", "编码", "备注", "点类型", "里程", "偏距",
    "量高", "地物类编码", "杆型/地物宽", "跨越角/地物长", "后中断面点", "前中断面点", "天线高",
    "起点J桩", "终点J桩", "GPS_ID"};

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

}  // namespace

PointListModel::PointListModel(QObject* parent) : QAbstractTableModel(parent) {}

void PointListModel::Show(const DHPointList* list, ViewMode mode) {
    beginResetModel();
    list_ = list;
    filtered_ = list && mode != ViewMode::AllPoints;
    rows_.clear();
    if (filtered_) {
        const int kind = mode == ViewMode::JStakes ? JStake : ZStake;
        for (size_t i = 0; i < list->size(); ++i)
            if ((*list)[i].DHType == kind) rows_.push_back(static_cast<int>(i));
    }
    endResetModel();
}

void PointListModel::RowChanged(int row) {
    if (row < 0 || row >= rowCount()) return;
    emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

void PointListModel::AllRowsChanged() {
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

int PointListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !list_) return 0;
    return static_cast<int>(filtered_ ? rows_.size() : list_->size());
}

int PointListModel::IndexOfRow(int row) const {
    if (row < 0 || row >= rowCount()) return -1;
    return filtered_ ? rows_[static_cast<size_t>(row)] : row;
}

int PointListModel::RowOfIndex(int index) const {
    if (!list_ || index < 0 || static_cast<size_t>(index) >= list_->size()) return -1;
    if (!filtered_) return index;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), index);
    return it != rows_.end() && *it == index ? static_cast<int>(it - rows_.begin()) : -1;
}

int PointListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

const DHPoint* PointListModel::PointAt(int row) const {
    const int at = IndexOfRow(row);
    // Positions are checked against the list itself: it may have shrunk
    // before the owner's Show.
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

QVariant PointListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaders[section]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

std::string PointListModel::CellText(const DHPoint& p, int column) {
    switch (column) {
        case 0: return p.NewPtName;
        case 1: return p.OrgPtName;
        case 2: return Fixed3(p.Dx);
        case 3: return Fixed3(p.Dy);
        case 4: return Fixed3(p.Dh);
        case 5: return p.Code;
        case 6: return p.Note;
        case 7: return DHTypeName(p.DHType);
        case 8: return Fixed3(p.Mileage);
        case 9: return Fixed3(p.Offset);
        case 10: return Fixed3(p.AddHight);
        case 11: return FeatureCodeText(p);
        case 12: return PoleOrWidthText(p);
        case 13: return Fixed3(p.CrossAngle);
        case 14: return HasSectionPoints(p) ? p.BZdmPt : std::string();
        case 15: return HasSectionPoints(p) ? p.FZdmPt : std::string();
        case 16: return Fixed3(p.AntHight);
        case 17: return p.StartJ;
        case 18: return p.EndJ;
        case 19: return p.GPS_ID;
        default: return {};
    }
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
