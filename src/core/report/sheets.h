#pragma once
// The sheets of the results workbook, one file each, written in this order.
#include "report/results_workbook.h"
#include "report/sheet_writer.h"

namespace linvara::report {

// Each adds its sheet to `book` and returns the first error, LXW_NO_ERROR when none.
lxw_error AddStakeSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents);
lxw_error AddPointsSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents);
lxw_error AddCrossingsSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents);
lxw_error AddTowerBaseSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents);

// The page header of every sheet.
inline PageHeader PageHeaderOf(const ReportContents& contents) { return {contents.title, contents.date}; }

}  // namespace linvara::report
