// 全部点: every point of the list in route order with its reference to the
// J-stake line.
#include "report/sheets.h"

namespace linvara::report {
namespace {

constexpr Column kColumns[] = {
    {"点名", CellFormat::Text},   {"类别", CellFormat::Text},   {"编码", CellFormat::Text},
    {"X", CellFormat::Fixed4},    {"Y", CellFormat::Fixed4},    {"H", CellFormat::Fixed4},
    {"里程", CellFormat::Fixed4}, {"偏距", CellFormat::Fixed4}, {"起点J桩", CellFormat::Text},
    {"终点J桩", CellFormat::Text},
};

}  // namespace

lxw_error AddPointsSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents) {
    SheetWriter sheet(book, styles, "全部点", kColumns);
    for (const DHPoint& p : contents.points) {
        const Cell cells[] = {p.NewPtName, TextCell(DHTypeName(p.DHType)), TextCell(p.Code),
                              p.Dx,        p.Dy,                              p.Dh,
                              p.Mileage,   p.Offset,                          TextCell(p.StartJ),
                              TextCell(p.EndJ)};
        sheet.AddRow(cells);
    }
    return sheet.Finish(PageHeaderOf(contents));
}

}  // namespace linvara::report
