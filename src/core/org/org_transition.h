#pragma once
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "reporter.h"

namespace linvara {

// The ORG converter: one object per conversion. Records are collected in
// memory (UTF-8 lines, each ending in "\n") and written in one pass.
class OrgTransition {
public:
    OrgTransition(const DHPointList& points, Reporter& reporter);

    // The name the user chose; its last four characters become ".org".
    std::string OutputPath;

    std::vector<std::string> MainRecords;
    std::vector<std::string> TrailerRecords;

    void AddRecord(std::string line);         // appends to MainRecords ("\n" added when missing)
    void AddTrailerRecord(std::string line);  // appends to TrailerRecords
    void DropLastRecord();                    // removes the last MainRecords line, if any

    // Writes MainRecords then TrailerRecords (GBK, CR LF) atomically.
    bool WriteOrgFile(const std::string& path) const;

    // The line-survey conversion: records, file, final message. Returns
    // whether the file was written.
    bool Convert();

    // Tower-base section output (implemented in towerbase/): one ORG and one
    // INI file per centre stake next to OutputPath.
    int ConvertTowerBase();
    void BuildTowerBaseRecords(const std::string& stake);
    int WriteTowerBaseIni(const std::string& path);

    const DHPointList& Points() const { return points_; }
    const DHPointList& JStakes() const { return jStakes_; }
    Reporter& reporter() { return reporter_; }

    // Tower-base state: sections 1..8 (A..H) at index 0..7, the offset
    // scaling switch and factor (sqrt(2) * 0.5, computed).
    std::array<DHPointList, 8> Sections;
    bool ScaleOffsets = true;
    double OffsetFactor = std::sqrt(2.0) * 0.5;

private:
    DHPointList points_;
    DHPointList jStakes_;
    Reporter& reporter_;
};

}  // namespace linvara
