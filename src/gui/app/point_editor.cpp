#include "app/point_editor.h"

#include <QStringList>

#include "app/project_document.h"
#include "common/ui_services.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "import/lat_lon_match.h"
#include "model/stake_sequence.h"

namespace linvara::gui {

PointEditor::PointEditor(ProjectDocument& document, UiServices& ui, QWidget* dialogParent)
    : document_(document), ui_(ui), dialogParent_(dialogParent) {}

void PointEditor::Add(const std::string& selectedGpsId) {
    const int index = document_.IndexOf(selectedGpsId);
    AddAt(-1, index < 0 ? JStake : document_.Points()[static_cast<size_t>(index)].DHType);
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
    AddAt(index, document_.Points()[static_cast<size_t>(index)].DHType);
}

void PointEditor::AddAt(int before, int kind) {
    if (!document_.IsOpen()) return;
    PointDialog dialog(before < 0 ? PointDialog::Add : PointDialog::Insert, ui_, dialogParent_);
    dialog.SetKindIndex(kind);
    dialog.SetNameCheck([this](const std::string& name) { return NameRefusal(name, {}); });
    if (!ui_.Exec(dialog)) return;
    document_.AddPoint(dialog.Point(), before);
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
