#include "app/point_editor.h"

#include "app/project_document.h"
#include "common/ui_services.h"
#include "dialogs/j_stake_appoint_dialog.h"
#include "dialogs/point_dialog.h"
#include "model/stake_sequence.h"

namespace linvara::gui {

PointEditor::PointEditor(ProjectDocument& document, UiServices& ui, QWidget* dialogParent)
    : document_(document), ui_(ui), dialogParent_(dialogParent) {}

void PointEditor::Add() { AddAt(-1, JStake); }

void PointEditor::InsertBefore(const std::string& gpsId) {
    const int index = document_.IndexOf(gpsId);
    if (index < 0) return;
    AddAt(index, document_.Points()[static_cast<size_t>(index)].DHType);
}

void PointEditor::AddAt(int before, int kind) {
    if (!document_.IsOpen()) return;
    PointDialog dialog(before < 0 ? PointDialog::Add : PointDialog::Insert, ui_, dialogParent_);
    dialog.SetKindIndex(kind);
    if (!ui_.Exec(dialog)) return;
    // Refused before the file is touched, as a plain message.
    if (IsNameTaken(document_.Points(), dialog.Point().NewPtName)) {
        ui_.Info(QStringLiteral("不能存在相同点名"));
        return;
    }
    document_.AddPoint(dialog.Point(), before);
}

void PointEditor::Edit(const std::string& gpsId) {
    const int index = document_.IndexOf(gpsId);
    if (index < 0) return;
    PointDialog dialog(PointDialog::Edit, ui_, dialogParent_);
    dialog.SetPoint(document_.Points()[static_cast<size_t>(index)]);
    if (!ui_.Exec(dialog)) return;
    document_.EditPoint(dialog.Point());
}

void PointEditor::Delete(const std::vector<std::string>& gpsIds, const QString& prompt) {
    if (gpsIds.empty() || !document_.IsOpen()) return;
    if (!ui_.OkCancel(prompt)) return;
    document_.DeletePoints(gpsIds);
}

void PointEditor::AppointJStakes(const std::vector<std::string>& gpsIds) {
    if (gpsIds.empty() || !document_.IsOpen()) return;
    JStakeAppointDialog dialog(JStakeList(document_.Points()), ui_, dialogParent_);
    if (!ui_.Exec(dialog)) return;
    document_.AppointJStakes(gpsIds, dialog.StartStake(), dialog.EndStake());
}

}  // namespace linvara::gui
