// 交叉跨越: crossed lines and objects (kind 3) and roads, ditches, ponds and
// houses (kinds 4 to 6) with the attributes their kind carries; an attribute
// the kind does not carry stays empty.
#include "model/code_tables.h"
#include "report/sheets.h"

namespace linvara::report {
namespace {

constexpr Column kColumns[] = {
    {"点名", CellFormat::Text},         {"类别", CellFormat::Text},          {"跨越物/沟路类别", CellFormat::Text},
    {"连码", CellFormat::Count},        {"杆型", CellFormat::Text},          {"跨越角/塘房长", CellFormat::Fixed4},
    {"沟路宽/塘房宽", CellFormat::Fixed4}, {"量高/房高", CellFormat::Fixed4},   {"H", CellFormat::Fixed4},
    {"后中断面点", CellFormat::Text},     {"前中断面点", CellFormat::Text},     {"里程", CellFormat::Fixed4},
    {"偏距", CellFormat::Fixed4},
};

bool IsCrossingOrFeature(int dhType) { return dhType >= CrossingOnePoint && dhType <= HouseThreePoint; }

// The name of a code as the code columns of the list view show it: none for 0 or an unknown code.
Cell CodeName(std::span<const CodeName> table, int code) {
    const int row = code == 0 ? -1 : IndexOfCode(table, code);
    return row < 0 ? Cell{} : Cell{std::string(table[static_cast<std::size_t>(row)].name)};
}

std::vector<Cell> CrossingCells(const DHPoint& p) {
    const bool crossing = p.DHType == CrossingOnePoint;
    const bool sections = p.DHType == FeatureTwoPoint || p.DHType == HouseThreePoint;
    const int code = crossing ? p.LXCode : p.GLCode;
    return {p.NewPtName,
            TextCell(DHTypeName(p.DHType)),
            CodeName(crossing ? CrossingObjectTable() : FeatureClassTable(), code),
            static_cast<double>(code),
            crossing ? TextCell(PoleTypeText(p.PoleType)) : Cell{},
            p.CrossAngle,
            crossing ? Cell{} : Cell{p.GLWide},
            p.AddHight,
            p.Dh,
            sections ? TextCell(p.BZdmPt) : Cell{},
            sections ? TextCell(p.FZdmPt) : Cell{},
            p.Mileage,
            p.Offset};
}

}  // namespace

lxw_error AddCrossingsSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents) {
    SheetWriter sheet(book, styles, "交叉跨越", kColumns);
    for (const DHPoint& p : contents.points)
        if (IsCrossingOrFeature(p.DHType)) sheet.AddRow(CrossingCells(p));
    return sheet.Finish(PageHeaderOf(contents));
}

}  // namespace linvara::report
