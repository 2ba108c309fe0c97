// 塔基断面: per centre stake, how many points each section holds and which
// of the required sections A to D were not measured.
#include <array>
#include <unordered_map>

#include "model/dh_point.h"
#include "report/sheets.h"

namespace linvara::report {
namespace {

constexpr int kRequired = 4;  // A..D must be measured; E..H are optional
constexpr int kSections = 8;

constexpr Column kColumns[] = {
    {"中桩", CellFormat::Text},       {"A断面点数", CellFormat::Count}, {"B断面点数", CellFormat::Count},
    {"C断面点数", CellFormat::Count}, {"D断面点数", CellFormat::Count}, {"E-H断面点数", CellFormat::Count},
    {"未测断面", CellFormat::Text},
};

struct StakeSections {
    std::string stake;
    std::array<int, kSections> points{};  // by 0-based section, as the table stores it
};

// Stakes in order of first appearance, compared as exact text, as the
// tower-base output takes them; a row outside sections A..H counts nowhere.
std::vector<StakeSections> CountSections(const std::vector<TGDataUnit>& rows) {
    std::vector<StakeSections> stakes;
    std::unordered_map<std::string, std::size_t> index;
    for (const TGDataUnit& row : rows) {
        auto [it, added] = index.try_emplace(row.PegName, stakes.size());
        if (added) stakes.push_back({row.PegName, {}});
        if (row.SubIndex >= 0 && row.SubIndex < kSections) ++stakes[it->second].points[row.SubIndex];
    }
    return stakes;
}

std::string Unmeasured(const StakeSections& stake) {
    std::string letters;
    for (int s = 0; s < kRequired; ++s) {
        if (stake.points[s] > 0) continue;
        if (!letters.empty()) letters += "、";
        letters += SectionLetter(s + 1);
    }
    return letters;
}

}  // namespace

lxw_error AddTowerBaseSheet(lxw_workbook* book, const CellStyles& styles, const ReportContents& contents) {
    SheetWriter sheet(book, styles, "塔基断面", kColumns);
    for (const StakeSections& stake : CountSections(contents.towerBase)) {
        int optional = 0;
        for (int s = kRequired; s < kSections; ++s) optional += stake.points[s];
        std::vector<Cell> cells{TextCell(stake.stake)};
        for (int s = 0; s < kRequired; ++s) cells.emplace_back(static_cast<double>(stake.points[s]));
        cells.emplace_back(static_cast<double>(optional));
        cells.push_back(TextCell(Unmeasured(stake)));
        sheet.AddRow(cells);
    }
    return sheet.Finish(PageHeaderOf(contents));
}

}  // namespace linvara::report
