#pragma once
#include <string>

#include "model/dh_point_list.h"
#include "reporter.h"

namespace linvara {

// The coordinate record collected for every point (the DXF is written from it).
struct SurveyCoord {
    std::string Pn;
    std::string Pc;
    double x = 0;  // north
    double y = 0;  // east
    double h = 0;
};

// How the KML kind is written: as a KML file, or as a KMZ archive that
// carries the stake icon, for viewers without internet.
enum class KmlPacking { Kml, Kmz };

// Writes the result file of `kind` (0..11) for `list` to `path` (atomically)
// and reports "转换成功!" / "转换完成!" (as Done), a missing path, or
// "新建成果文件出错：" with the file and the cause. Returns whether a file was
// written; `written` (when given) gets the number of points it holds.
// KmlPacking::Kmz is for the KML kind only.
bool WriteResultFile(const DHPointList& list, const std::string& path, int kind, Reporter& reporter,
                     int* written = nullptr, KmlPacking packing = KmlPacking::Kml);

// The turning angle at J stake `i` of `jStakes`, packed ddd.mmss; positive
// turns right; 0 for the first and the last J stake.
double TurningAngleAt(const DHPointList& jStakes, int i);

}  // namespace linvara
