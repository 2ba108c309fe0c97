// The conversion driver: one pass over the working stake list in list
// order, then the profile chain and the elevation range.
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "model/geometry.h"
#include "org/aux_problem.h"
#include "org/org_records.h"
#include "org/org_record_builder.h"
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

OrgRecordBuilder::OrgRecordBuilder(DHPointList points, Reporter& reporter)
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

void OrgRecordBuilder::Build() {
    chain_.clear();
    usedAuxNumbers_.clear();
    auxRecordAt_.clear();
    stakeCounter_ = 0;
    minElevation_ = maxElevation_ = 0;
    chain_.reserve(points_.size() + 1);
    // About three records of some fifty bytes a point; what is not used is
    // never touched.
    main_.Reserve(main_.size() + points_.size() * 3, main_.Text().size() + points_.size() * 160);

    for (std::size_t i = 0; i < points_.size(); ++i) {
        const DHPoint& point = points_[i];
        switch (point.DHType) {
            case JStake: ConvertJStake(point, stakeCounter_++); break;
            case ZStake: ConvertZStake(point); break;
            case AuxPoint: ConvertAuxPoint(point); break;
            case CrossingOnePoint: ConvertCrossingLabel(point); break;
            case FeatureOnePoint: ConvertOnePointFeature(point); break;
            case FeatureTwoPoint: ConvertTwoPointFeature(point); break;
            case HouseThreePoint: ConvertThreePointHouse(point); break;
            default: break;  // unknown kinds write nothing but still count below
        }
        TrackElevation(point, i == 0);
        if (i > 0) chain_.push_back({point.NewPtName, point.Mileage});
    }
    RemoveVacatedRecords();
    AppendProfileChain();
    AppendElevationRange();
    ReleasePoints();
}

void OrgRecordBuilder::TrackElevation(const DHPoint& point, bool first) {
    if (first) {
        minElevation_ = maxElevation_ = point.Dh;
        return;
    }
    if (point.Dh <= minElevation_) minElevation_ = point.Dh;
    if (point.Dh >= maxElevation_) maxElevation_ = point.Dh;
}

void OrgRecordBuilder::AppendProfileChain() {
    std::stable_sort(chain_.begin(), chain_.end(), MileageBefore);
    for (std::size_t i = 1; i < chain_.size(); ++i)
        AddTrailerFormatted(org::kChain, chain_[i - 1].name.c_str(), chain_[i].name.c_str());
}

void OrgRecordBuilder::AppendElevationRange() {
    const int lower = WholeMetres(minElevation_) / 100 * 100;
    const int upper = (WholeMetres(maxElevation_) / 100 + 1) * 100;
    AddTrailerFormatted(org::kElevationRange, lower, upper);
}

void OrgRecordBuilder::RemoveVacatedRecords() {
    main_.RemoveVacated();
    auxRecordAt_.clear();
}

// Nothing reads the points once the records are complete: at a million
// points they are most of the memory, and writing the file needs more.
void OrgRecordBuilder::ReleasePoints() {
    Release(points_);
    Release(jStakes_);
    Release(jStakeMileages_);
    Release(auxByOrgName_);
    Release(auxRecordAt_);
    Release(firstByOrgName_);
    Release(usedAuxNumbers_);
}

double OrgRecordBuilder::RelativeMileage(const DHPoint& point) const {
    return jStakes_.empty() ? 0.0 : point.Mileage - jStakes_.front().Mileage;
}

int OrgRecordBuilder::NameNumber(std::string_view name) {
    const long long value = text::ParseLeadingInt(name);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double OrgRecordBuilder::CrossingAngle(double crossAngle) {
    return crossAngle >= 0 ? 90.0 - crossAngle : -90.0 - crossAngle;
}

PointRef OrgRecordBuilder::RefOf(const DHPoint& point) const {
    const bool inList = !points_.empty() && &point >= points_.data() && &point < points_.data() + points_.size();
    return {point.NewPtName, inList ? static_cast<long long>(&point - points_.data()) : -1, point.GPS_ID};
}

const DHPoint* OrgRecordBuilder::FindAuxPoint(const std::string& name) const {
    // The first of equal names: the one surveyed first wins.
    const auto it = std::lower_bound(auxByOrgName_.begin(), auxByOrgName_.end(), std::string_view(name),
                                     [](const auto& entry, std::string_view n) { return entry.first < n; });
    return it == auxByOrgName_.end() || it->first != name ? nullptr : &points_[it->second];
}

std::string OrgRecordBuilder::WhyNoAuxPoint(const std::string& name) {
    if (firstByOrgName_.empty())
        for (std::size_t i = 0; i < points_.size(); ++i) firstByOrgName_.try_emplace(points_[i].OrgPtName, i);
    const auto it = firstByOrgName_.find(name);
    return org::AuxProblem(name, points_, it == firstByOrgName_.end() ? -1 : static_cast<long long>(it->second));
}

}  // namespace linvara
