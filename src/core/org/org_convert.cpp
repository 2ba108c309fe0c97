// The conversion driver: one pass over the working stake list in list
// order, then the profile chain and the elevation range.
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "model/geometry.h"
#include "model/point_values.h"
#include "org/aux_problem.h"
#include "org/org_records.h"
#include "org/org_transition.h"
#include "status.h"
#include "text/format.h"

namespace linvara {
namespace {

// Whole metres toward zero; absurd heights are held to +-1e9 so the bounds
// stay within 32 bits.
int WholeMetres(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::trunc(std::clamp(value, -1e9, 1e9)));
}

// Ascending mileage; a mileage that is not a number sorts last, so the
// ordering stays strict whatever is stored.
bool MileageBefore(const ChainEntry& a, const ChainEntry& b) {
    if (std::isnan(a.mileage)) return false;
    if (std::isnan(b.mileage)) return true;
    return a.mileage < b.mileage;
}

// Frees a container's storage too: assigning {} would only clear it.
template <class Container>
void Release(Container& c) {
    Container().swap(c);
}

}  // namespace

OrgTransition::OrgTransition(DHPointList points, Reporter& reporter)
    : points_(std::move(points)), reporter_(reporter) {
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const DHPoint& p = points_[i];
        if (p.DHType == JStake) jStakes_.push_back(p);
        if (p.DHType == AuxPoint) auxByOrgName_.emplace_back(p.OrgPtName, i);
    }
    // A sorted list holds a million points' names in a fraction of a hash map.
    std::stable_sort(auxByOrgName_.begin(), auxByOrgName_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // Running sums in stake order: the same additions as summing each prefix.
    jStakeMileages_.reserve(jStakes_.size());
    double sum = 0;
    for (std::size_t k = 0; k < jStakes_.size(); ++k) {
        if (k == 0) {
            jStakeMileages_.push_back(0.0);
            continue;
        }
        sum += PlaneDistance(jStakes_[k - 1], jStakes_[k]);
        jStakeMileages_.push_back(sum);
    }
}

bool OrgTransition::Convert() {
    if (ReportUnusableValue(points_, reporter_)) return false;
    ChainList.clear();
    UsedAuxNumbers.clear();
    auxRecordAt_.clear();
    StakeCounter = 0;
    MinElevation = MaxElevation = 0;
    ChainList.reserve(points_.size() + 1);
    // About three records of some fifty bytes a point; what is not used is
    // never touched.
    MainRecords.Reserve(MainRecords.size() + points_.size() * 3, MainRecords.Text().size() + points_.size() * 160);

    for (std::size_t i = 0; i < points_.size(); ++i) {
        const DHPoint& point = points_[i];
        switch (point.DHType) {
            case JStake: ConvertJStake(point, StakeCounter++); break;
            case ZStake: ConvertZStake(point); break;
            case AuxPoint: ConvertAuxPoint(point); break;
            case CrossingOnePoint: ConvertCrossingLabel(point); break;
            case FeatureOnePoint: ConvertOnePointFeature(point); break;
            case FeatureTwoPoint: ConvertTwoPointFeature(point); break;
            case HouseThreePoint: ConvertThreePointHouse(point); break;
            default: break;  // unknown kinds write nothing but still count below
        }
        TrackElevation(point, i == 0);
        if (i > 0) ChainList.push_back({point.NewPtName, point.Mileage});
    }
    RemoveVacatedRecords();
    AppendProfileChain();
    AppendElevationRange();
    ReleasePoints();

    const std::string path = OrgFilePath();
    std::string error;
    if (WriteOrgFile(path, &error)) {
        reporter_.Done("转换ORG文件成功！已写入：" + path);
        return true;
    }
    reporter_.Error(WithCause("转换ORG文件失败：" + path, error));
    return false;
}

void OrgTransition::TrackElevation(const DHPoint& point, bool first) {
    if (first) {
        MinElevation = MaxElevation = point.Dh;
        return;
    }
    if (point.Dh <= MinElevation) MinElevation = point.Dh;
    if (point.Dh >= MaxElevation) MaxElevation = point.Dh;
}

void OrgTransition::AppendProfileChain() {
    std::stable_sort(ChainList.begin(), ChainList.end(), MileageBefore);
    for (std::size_t i = 1; i < ChainList.size(); ++i)
        AddTrailerFormatted(org::kChain, ChainList[i - 1].name.c_str(), ChainList[i].name.c_str());
}

void OrgTransition::AppendElevationRange() {
    const int lower = WholeMetres(MinElevation) / 100 * 100;
    const int upper = (WholeMetres(MaxElevation) / 100 + 1) * 100;
    AddTrailerFormatted(org::kElevationRange, lower, upper);
}

void OrgTransition::RemoveVacatedRecords() {
    MainRecords.RemoveVacated();
    auxRecordAt_.clear();
}

// Nothing reads the points once the records are complete: at a million
// points they are most of the memory, and writing the file needs more.
void OrgTransition::ReleasePoints() {
    Release(points_);
    Release(jStakes_);
    Release(jStakeMileages_);
    Release(auxByOrgName_);
    Release(auxRecordAt_);
    Release(firstByOrgName_);
    Release(UsedAuxNumbers);
}

double OrgTransition::RelativeMileage(const DHPoint& point) const {
    return jStakes_.empty() ? 0.0 : point.Mileage - jStakes_.front().Mileage;
}

int OrgTransition::NameNumber(std::string_view name) {
    const long long value = text::ParseLeadingInt(name);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double OrgTransition::CrossingAngle(double crossAngle) {
    return crossAngle >= 0 ? 90.0 - crossAngle : -90.0 - crossAngle;
}

PointRef OrgTransition::RefOf(const DHPoint& point) const {
    const bool inList = !points_.empty() && &point >= points_.data() && &point < points_.data() + points_.size();
    return {point.NewPtName, inList ? static_cast<long long>(&point - points_.data()) : -1, point.GPS_ID};
}

const DHPoint* OrgTransition::FindAuxPoint(const std::string& name) const {
    // The first of equal names: the one surveyed first wins.
    const auto it = std::lower_bound(auxByOrgName_.begin(), auxByOrgName_.end(), std::string_view(name),
                                     [](const auto& entry, std::string_view n) { return entry.first < n; });
    return it == auxByOrgName_.end() || it->first != name ? nullptr : &points_[it->second];
}

std::string OrgTransition::WhyNoAuxPoint(const std::string& name) {
    if (firstByOrgName_.empty())
        for (std::size_t i = 0; i < points_.size(); ++i) firstByOrgName_.try_emplace(points_[i].OrgPtName, i);
    const auto it = firstByOrgName_.find(name);
    return org::AuxProblem(name, points_, it == firstByOrgName_.end() ? -1 : static_cast<long long>(it->second));
}

}  // namespace linvara
