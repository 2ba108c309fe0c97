// The point kinds without feature geometry: J and Z stakes, auxiliary
// points and one-point crossing labels.
#include <cmath>

#include "model/geometry.h"
#include "org/org_records.h"
#include "org/org_record_builder.h"

namespace linvara {

double OrgRecordBuilder::JStakeMileage(int k) const {
    if (k < 0 || static_cast<std::size_t>(k) >= jStakeMileages_.size()) return 0.0;
    return jStakeMileages_[static_cast<std::size_t>(k)];
}

double OrgRecordBuilder::TurnAngle(int k) const {
    if (k <= 0 || static_cast<std::size_t>(k) + 1 >= jStakes_.size()) return 0.0;
    const auto at = static_cast<std::size_t>(k);
    // The ORG file counts left turns positive: the opposite of the turning angle.
    return -TurningAngle(jStakes_[at - 1], jStakes_[at], jStakes_[at + 1]);
}

void OrgRecordBuilder::ConvertJStake(const DHPoint& point, int jIndex) {
    const char* name = point.NewPtName.c_str();
    double mileage = 0.0;
    if (jIndex == 0)
        chain_.push_back({point.NewPtName, 0.0});
    else
        mileage = JStakeMileage(jIndex);
    AddRecordFormatted(org::kStake, name, mileage, point.Dh);
    AddRecordFormatted(org::kStakeMarker, name);

    const int last = static_cast<int>(jStakes_.size()) - 1;
    if (jIndex == 0) {
        AddRecordFormatted(org::kTurnNone, name);
    } else if (jIndex < last) {
        const double turn = TurnAngle(jIndex);
        if (turn > 0)
            AddRecordFormatted(org::kTurnLeft, name, std::fabs(turn));
        else
            AddRecordFormatted(org::kTurnRight, name, std::fabs(turn));
    }
}

void OrgRecordBuilder::ConvertZStake(const DHPoint& point) {
    AddRecordFormatted(org::kStake, point.NewPtName.c_str(), RelativeMileage(point), point.Dh);
}

void OrgRecordBuilder::ConvertAuxPoint(const DHPoint& point) {
    const int key = NameNumber(point.NewPtName);
    if (usedAuxNumbers_.contains(key)) return;
    int code = point.GLCode == 0 ? 13 : point.GLCode;
    // 44 is the left and 45 the right wind-deviation point: the offset decides.
    if (point.Offset > 0 && code == 44) code = 45;
    if (point.Offset <= 0 && code == 45) code = 44;
    NoteAuxRecord(point);
    AddRecordFormatted(org::kPointCoded, point.NewPtName.c_str(), point.Offset, RelativeMileage(point), point.Dh,
                       code, code);
}

void OrgRecordBuilder::NoteAuxRecord(const DHPoint& aux) {
    auxRecordAt_[aux.NewPtName] = main_.size();
    usedAuxNumbers_.insert(NameNumber(aux.NewPtName));
}

void OrgRecordBuilder::ConvertCrossingLabel(const DHPoint& point) {
    const char* name = point.NewPtName.c_str();
    AddRecordFormatted(org::kPointLabel, name, point.Offset, RelativeMileage(point), point.Dh);
    const double height = std::fabs(point.AddHight) < 0.00001 ? 0.1 : point.AddHight;
    AddRecordFormatted(org::kCrossingHeight, org::Plus(NameNumber(point.NewPtName), 1), name, height);
    AddRecordFormatted(org::kCrossing, name, point.PoleType, point.LXCode, CrossingAngle(point.CrossAngle));
}

}  // namespace linvara
