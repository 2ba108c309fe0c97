#pragma once
#include <string>

#include "model/dh_point_list.h"
#include "output/result_kinds.h"
#include "reporter.h"
#include "status_or.h"

namespace linvara {

// The coordinate record collected for every point (the DXF is written from it).
struct SurveyCoord {
    std::string Pn;
    std::string Pc;
    double x = 0;  // north
    double y = 0;  // east
    double h = 0;
};

// Writes the result file of `kind` (a row of ResultKinds()) for `list` to
// `path` (atomically) through the kind's builder, which reports its warnings
// and "转换成功!" / "转换完成!" (as Done). Returns the number of points the
// file holds, or why nothing was written: an unknown kind, a missing path,
// a point no file can carry, or "新建成果文件出错：" with the file and the
// cause. KmlPacking::Kmz is for the kinds that pack as KMZ only.
StatusOr<int> WriteResultFile(const DHPointList& list, const std::string& path, int kind, Reporter& reporter,
                              KmlPacking packing = KmlPacking::Kml);

// The turning angle at J stake `i` of `jStakes`, packed ddd.mmss; positive
// turns right; 0 for the first and the last J stake.
double TurningAngleAt(const DHPointList& jStakes, int i);

}  // namespace linvara
