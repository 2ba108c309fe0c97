#pragma once
#include <string>

#include "check/finding.h"

namespace linvara::check {

// One line per finding, fields separated by tabs:
// 严重性, 规则, 点名, 行, 说明. The row is the list row counted from 1,
// "塔基N" for row N of the tower-base table, "-" for the whole project.
// Tabs and line breaks inside a field become spaces.
std::string FindingsText(const Findings& findings);

// A JSON array of objects {severity, rule, place, row, point, gpsId,
// section, message}; row counts from 1 (null for the whole project).
std::string FindingsJson(const Findings& findings);

// "检查完成：错误N个，警告M个".
std::string SummaryText(const Findings& findings);

// The text of `text` as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace linvara::check
