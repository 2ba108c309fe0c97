#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/dh_point_list.h"
#include "org/record_buffer.h"
#include "reporter.h"
#include "status.h"
#include "text/format.h"

namespace linvara {

// One link of the profile chain: a point name and its stored mileage.
struct ChainEntry {
    std::string name;
    double mileage = 0;
};

// The records of one ORG conversion, built in memory (UTF-8 lines, each
// ending in "\n"); ConvertToOrg (org_conversion.h) writes them. The points
// are released once the records are complete.
class OrgRecordBuilder {
public:
    // Keeps its own list of the points; a caller done with its list moves it in.
    OrgRecordBuilder(DHPointList points, Reporter& reporter);

    // The line-survey records: one pass over the points in list order, then
    // the profile chain and the elevation range. Releases the points.
    void Build();

    // The records built so far: the points' records, then the chain and
    // the elevation range.
    const RecordBuffer& MainRecords() const { return main_; }
    const RecordBuffer& TrailerRecords() const { return trailer_; }
    // The profile chain as collected, sorted by mileage once Build is done.
    const std::vector<ChainEntry>& ChainList() const { return chain_; }

    void AddRecord(std::string line);         // appends to MainRecords ("\n" added when missing)
    void AddTrailerRecord(std::string line);  // appends to TrailerRecords
    void DropLastRecord();                    // removes the last MainRecords line, if any

    // Formats one record from a template of org_records.h and appends it to
    // MainRecords / TrailerRecords.
    void AddRecordFormatted(const char* tmpl, ...) LINVARA_PRINTF(2, 3);
    void AddTrailerFormatted(const char* tmpl, ...) LINVARA_PRINTF(2, 3);

    // One handler per point kind; each appends the point's records.
    void ConvertJStake(const DHPoint& point, int jIndex);
    void ConvertZStake(const DHPoint& point);
    void ConvertAuxPoint(const DHPoint& point);
    void ConvertCrossingLabel(const DHPoint& point);
    void ConvertOnePointFeature(const DHPoint& point);
    void ConvertTwoPointFeature(const DHPoint& point);
    void ConvertThreePointHouse(const DHPoint& point);

    // The point's mileage from the first J stake (0 without J stakes).
    double RelativeMileage(const DHPoint& point) const;
    // The leading base-10 integer of a point name (0 without digits).
    static int NameNumber(std::string_view name);
    // 90 - a for a >= 0, -90 - a below.
    static double CrossingAngle(double crossAngle);
    // Plane distance along the J stakes from the first to J stake k.
    double JStakeMileage(int k) const;
    // Turning angle at J stake k, packed ddd.mmss; left turns positive,
    // 0 for the first and the last J stake.
    double TurnAngle(int k) const;
    // The first auxiliary point whose OrgPtName is `name`, or nullptr.
    const DHPoint* FindAuxPoint(const std::string& name) const;
    // Why FindAuxPoint(name) finds nothing, in the words of org::AuxProblem.
    std::string WhyNoAuxPoint(const std::string& name);
    // The point of the list `point` refers to, for a message about it.
    PointRef RefOf(const DHPoint& point) const;

    const DHPointList& Points() const { return points_; }
    const DHPointList& JStakes() const { return jStakes_; }
    Reporter& reporter() { return reporter_; }

private:
    void TrackElevation(const DHPoint& point, bool first);
    void AppendProfileChain();
    void AppendElevationRange();
    // Marks the auxiliary point as written by the record appended next and
    // remembers where that record stands.
    void NoteAuxRecord(const DHPoint& aux);
    // Removes the "b" records of a two-point house's own point (the last
    // record) and of its auxiliary point, wherever that one stands.
    void DropTwoPointHouseRecords(const DHPoint& aux);
    void RemoveVacatedRecords();
    void ReleasePoints();

    RecordBuffer main_;
    RecordBuffer trailer_;
    int stakeCounter_ = 0;                   // J stakes converted so far
    std::vector<ChainEntry> chain_;          // profile chain, before sorting
    std::unordered_set<int> usedAuxNumbers_;  // name numbers of auxiliary points written
    double minElevation_ = 0;
    double maxElevation_ = 0;

    DHPointList points_;
    DHPointList jStakes_;
    Reporter& reporter_;
    std::vector<double> jStakeMileages_;                         // JStakeMileage of each k
    // Kind-2 points by OrgPtName (viewing points_), the first of equal names first.
    std::vector<std::pair<std::string_view, std::size_t>> auxByOrgName_;
    std::unordered_map<std::string_view, std::size_t> auxRecordAt_;  // aux NewPtName (in points_) -> MainRecords index
    // The first point of any kind per OrgPtName (viewing points_), built
    // when a reference first finds no auxiliary point.
    std::unordered_map<std::string_view, std::size_t> firstByOrgName_;
};

// Writes the records (GBK, CR LF) to `path` atomically, leaving out vacated
// records; fails with "转换ORG文件失败：<path>（<cause>）".
Status WriteOrgRecords(const std::string& path, const RecordBuffer& main, const RecordBuffer& trailer);

}  // namespace linvara
