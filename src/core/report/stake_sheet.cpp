// 桩位成果表: the J and Z stakes in route order, with the values the CSV
// stake table prints for them.
#include "output/stake_table.h"
#include "report/sheets.h"

namespace linvara::report {
namespace {

constexpr Column kColumns[] = {
    {"点名", CellFormat::Text},   {"编码", CellFormat::Text},      {"X(北)", CellFormat::Fixed4},
    {"Y(东)", CellFormat::Fixed4}, {"H", CellFormat::Fixed4},        {"B", CellFormat::Degrees10},
    {"L", CellFormat::Degrees10},  {"转角(度.分秒)", CellFormat::Text}, {"档距", CellFormat::Fixed3},
    {"里程", CellFormat::Fixed4},
};

}  // namespace

lxw_error AddStakeSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents) {
    SheetWriter sheet(book, styles, "桩位成果表", kColumns);
    output::ForEachStakeRow(contents.points, [&](const output::StakeRow& row) {
        const DHPoint& p = row.point;
        if (p.DHType != JStake && p.DHType != ZStake) return;
        const Cell cells[] = {p.NewPtName, TextCell(p.Code), p.Dx, p.Dy, p.Dh, p.B, p.L,
                              TextCell(row.angle), row.span, p.Mileage};
        sheet.AddRow(cells);
    });
    return sheet.Finish(PageHeaderOf(contents));
}

}  // namespace linvara::report
