#include "app/point_editor.h"

#include <QStringList>
#include <cmath>

#include "app/project_document.h"
#include "common/ui_services.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "import/lat_lon_match.h"
#include "model/geometry.h"
#include "model/stake_sequence.h"
#include "text/format.h"

namespace linvara::gui {
namespace {

// Farther than this from every other point of the project, a point is most
// likely a slip (a digit too many, x and y swapped, another zone).
constexpr double kFarFromEveryPointMetres = 50000;

// The question to ask before `entered` is accepted, or empty.
QString PlaceQuestion(const DHPointList& points, const DHPoint& entered) {
    if (entered.Dx == 0 && entered.Dy == 0) return QStringLiteral("坐标为(0, 0)，确定要保存这个点吗？");
    const NearestPoint nearest = NearestOtherPoint(points, entered);
    if (nearest.index < 0 || !(nearest.distance > kFarFromEveryPointMetres)) return {};
    const DHPoint& other = points[static_cast<size_t>(nearest.index)];
    return QString::fromStdString(text::Format("该点距其他所有点都超过%.0f公里（最近的点“%s”也有%.1f公里），确定要保存这个点吗？",
                                               kFarFromEveryPointMetres / 1000, other.NewPtName.c_str(),
                                               nearest.distance / 1000));
}

// An edit asks only about a position it changes.
bool SamePlace(const DHPoint& a, const DHPoint& b) {
    constexpr double kSame = 1e-6;  // metres: what the dialog's text round trip may change
    return std::abs(a.Dx - b.Dx) < kSame && std::abs(a.Dy - b.Dy) < kSame;
}

// What 增加点 offers: the points the list shows.
int NewPointKind(ViewMode mode) {
    if (mode == ViewMode::JStakes) return JStake;
    if (mode == ViewMode::ZStakes) return ZStake;
    return AuxPoint;
}

}  // namespace

PointEditor::PointEditor(ProjectDocument& document, UiServices& ui, QWidget* dialogParent)
    : document_(document), ui_(ui), dialogParent_(dialogParent) {}

void PointEditor::Add(const std::string& selectedGpsId) {
    const int index = document_.IndexOf(selectedGpsId);
    AddAt(false, index < 0 ? -1 : index + 1, NewPointKind(document_.Mode()));
}

QString PointEditor::NameRefusal(const std::string& name, const std::string& gpsId) const {
    if (QString::fromStdString(name).trimmed().isEmpty()) return QStringLiteral("点名不能为空");
    for (const DHPoint& p : document_.Points())
        if (p.GPS_ID != gpsId && (p.NewPtName == name || p.OrgPtName == name)) return QStringLiteral("不能存在相同点名");
    return {};
}

void PointEditor::InsertBefore(const std::string& gpsId) {
    const int index = document_.IndexOf(gpsId);
    if (index < 0) return;
    AddAt(true, index, document_.Points()[static_cast<size_t>(index)].DHType);
}

void PointEditor::AddAt(bool insert, int before, int kind) {
    if (!document_.IsOpen()) return;
    PointDialog dialog(insert ? PointDialog::Insert : PointDialog::Add, ui_, dialogParent_);
    dialog.SetKindIndex(kind);
    dialog.SetNameCheck([this](const std::string& name) { return NameRefusal(name, {}); });
    dialog.SetQuestion([this](const DHPoint& entered) { return PlaceQuestion(document_.Points(), entered); });
    if (!ui_.Exec(dialog)) return;
    document_.AddPoint(dialog.Point(), before, insert);
}

void PointEditor::Edit(const std::string& gpsId) {
    const int index = document_.IndexOf(gpsId);
    if (index < 0) return;
    PointDialog dialog(PointDialog::Edit, ui_, dialogParent_);
    const DHPoint point = document_.Points()[static_cast<size_t>(index)];
    dialog.SetPoint(point);
    // Only a changed name is checked: a list that already holds a name twice stays editable.
    dialog.SetNameCheck([this, gpsId, name = point.NewPtName](const std::string& entered) {
        return entered == name ? QString() : NameRefusal(entered, gpsId);
    });
    dialog.SetQuestion([this, was = point](const DHPoint& entered) {
        return SamePlace(entered, was) ? QString() : PlaceQuestion(document_.Points(), entered);
    });
    if (!ui_.Exec(dialog) || !document_.IsOpen()) return;
    // Moved with B/L as they were: where the project knows its coordinate
    // system, B/L follow in the same edit (and undo).
    document_.EditPoint(import::FollowPlane(point, dialog.Point(), document_.OpenProject()->LatLon().system));
}

namespace {

constexpr int kNamesInPrompt = 3;

QString NameOf(const DHPointList& points, const std::string& gpsId) {
    const int index = FindIndexByGpsId(points, gpsId);
    return index < 0 ? QString() : QString::fromStdString(points[static_cast<size_t>(index)].NewPtName);
}

// "确定删除点“J2”？", or for several the count and the first names.
QString DeletePrompt(const DHPointList& points, const std::vector<std::string>& gpsIds) {
    if (gpsIds.size() == 1) return QStringLiteral("确定删除点“%1”？").arg(NameOf(points, gpsIds.front()));
    QStringList names;
    for (size_t i = 0; i < gpsIds.size() && i < kNamesInPrompt; ++i) names << NameOf(points, gpsIds[i]);
    const QString more = gpsIds.size() > kNamesInPrompt ? QStringLiteral("等") : QString();
    return QStringLiteral("确定删除所选的%1个点（%2%3）？").arg(gpsIds.size()).arg(names.join(QStringLiteral("、")), more);
}

}  // namespace

void PointEditor::Delete(const std::vector<std::string>& gpsIds) {
    if (gpsIds.empty() || !document_.IsOpen()) return;
    if (!ui_.OkCancelDefaultCancel(DeletePrompt(document_.Points(), gpsIds))) return;
    document_.DeletePoints(gpsIds);
}

// J stakes define the route: they keep their place and an offset of 0.
void PointEditor::AppointJStakes(const std::vector<std::string>& picked) {
    if (picked.empty() || !document_.IsOpen()) return;
    std::vector<std::string> gpsIds;
    for (const std::string& gpsId : picked) {
        const int index = document_.IndexOf(gpsId);
        if (index >= 0 && document_.Points()[static_cast<size_t>(index)].DHType != JStake) gpsIds.push_back(gpsId);
    }
    if (gpsIds.size() < picked.size())
        ui_.Info(gpsIds.empty() ? QStringLiteral("所选的都是J桩：J桩确定线路走向，不能指定J桩。")
                                : QStringLiteral("所选点中的J桩确定线路走向，保持不变；只为其余的点指定J桩。"));
    if (gpsIds.empty()) return;
    JStakeAppointDialog dialog(JStakeList(document_.Points()), ui_, dialogParent_);
    if (!ui_.Exec(dialog)) return;
    document_.AppointJStakes(gpsIds, dialog.StartStake(), dialog.EndStake());
}

}  // namespace linvara::gui
