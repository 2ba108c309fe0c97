#pragma once
// The builders behind WriteResultFile: each returns the whole file as UTF-8
// (text kinds with "\n" line ends, converted to GBK and CR LF on writing)
// and counts the points it wrote.
#include <span>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "output/result_writer.h"

namespace linvara::output {

// Kinds 0..5, 7, 9, 10: one line of five (kind 7: six) fields per point.
std::string BuildCoordinateList(const DHPointList& list, int kind, int& written);

// Kind 8: the stake table with turning angles, spans and mileage.
std::string BuildStakeTable(const DHPointList& list, int& written);

// Kind 6: the DXF point file, CR LF already in every piece.
std::vector<SurveyCoord> CollectSurveyCoords(const DHPointList& list);
std::string BuildDxf(std::span<const SurveyCoord> coords);

// "%.Nf" of `value` appended to `out`, independent of the process locale.
void AppendFixed(std::string& out, double value, int decimals);

// The CSV angle field of a packed turning angle: "右…" for zero or a right
// turn, "左…" with the absolute value for a left turn.
std::string AngleText(double packedAngle);

}  // namespace linvara::output
