#pragma once
// The survey results workbook (*.xlsx) a crew hands in: the stake table,
// every point, crossings and features, and the tower-base sections.
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "model/tg_data_unit.h"
#include "status.h"

namespace linvara {

class Project;

struct ReportContents {
    std::string title;  // project title, in every page header
    std::string date;   // in every page header
    const DHPointList& points;  // the working stake list in route order
    std::vector<TGDataUnit> towerBase;  // the project's tower-base section rows
};

// Writes the workbook to `path` atomically: a failure leaves no file (and
// an earlier file at `path` as it was). An empty point list is refused.
Status WriteResultsWorkbook(const ReportContents& contents, const std::string& path);

// The workbook of an open project: its list as it stands in memory, the
// tower-base rows of its file, its title and `date`.
Status WriteProjectWorkbook(const Project& project, const std::string& path, const std::string& date);

// Today's local date as "YYYY-MM-DD".
std::string TodayText();

}  // namespace linvara
