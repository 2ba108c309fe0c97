// The tower-base section output of the ORG converter: per centre stake one
// ORG file drawing its sections around the stake and one INI file.
#include <unordered_map>
#include <utility>
#include <vector>

#include "org/org_transition.h"
#include "text/atomic_file.h"
#include "text/encoding.h"
#include "text/format.h"
#include "towerbase/tower_base_templates.h"
#include "towerbase/utf16.h"

namespace linvara {
namespace {

constexpr int kSectionCount = 8;
constexpr int kReportedSections = 4;  // A..D must be measured; E..H are optional

// The points of each centre stake, stakes in order of first appearance and
// compared as exact text, points in load order.
struct StakePoints {
    std::string name;
    std::vector<const DHPoint*> points;
};

std::vector<StakePoints> GroupByStake(const DHPointList& points) {
    std::vector<StakePoints> stakes;
    std::unordered_map<std::string, std::size_t> index;
    for (const DHPoint& p : points) {
        auto [it, added] = index.try_emplace(p.PegName, stakes.size());
        if (added) stakes.push_back({p.PegName, {}});
        stakes[it->second].points.push_back(&p);
    }
    return stakes;
}

// An exchange sort: each position takes the smallest offset after it by
// swapping, which fixes the order among equal offsets.
void SortByOffset(DHPointList& section) {
    for (std::size_t i = 0; i < section.size(); ++i)
        for (std::size_t j = i + 1; j < section.size(); ++j)
            if (section[j].PegDis < section[i].PegDis) std::swap(section[i], section[j]);
}

std::string MissingSectionText(const std::string& stake, int section) {
    return "对应中桩" + stake + "的塔基" + SectionLetter(section) + "断面未测量,不能转换为该中桩的塔基断面org文件";
}

// A..H link styles 2, 3, 4, 1, 2, 3, 4, 5.
int LinkStyle(int subIndex) {
    const int style = subIndex + 1;
    return style > 4 ? style - 4 : style;
}

}  // namespace

int OrgTransition::ConvertTowerBase() {
    const std::string base = DropLastChars(OutputPath, 4);
    bool allWritten = true;
    for (const StakePoints& group : GroupByStake(Points())) {
        const std::string& stake = group.name;
        for (DHPointList& section : Sections) section.clear();
        for (const DHPoint* p : group.points)
            if (p->SubIndex >= 1 && p->SubIndex <= kSectionCount)  // others belong to no section
                Sections[static_cast<std::size_t>(p->SubIndex - 1)].push_back(*p);
        for (int k = 1; k <= kReportedSections; ++k)
            if (Sections[static_cast<std::size_t>(k - 1)].empty()) reporter().Info(MissingSectionText(stake, k));
        for (DHPointList& section : Sections) SortByOffset(section);
        BuildTowerBaseRecords(stake);
        const std::string orgPath = base + "_" + stake + ".org";
        if (!WriteOrgFile(orgPath)) {
            reporter().Error("创建塔基断面org文件错误：" + orgPath);
            allWritten = false;
        }
        allWritten = WriteTowerBaseIni(base + "_" + stake + ".INI") == 1 && allWritten;
    }
    reporter().Info("塔基断面转换完成!");
    return allWritten ? 1 : 0;
}

void OrgTransition::BuildTowerBaseRecords(const std::string& /*stake*/) {
    MainRecords.clear();
    AddRecord(towerbase::kCentreRecord);
    int n = 2;
    for (std::size_t k = 0; k < Sections.size(); ++k) {
        const towerbase::PlanSigns signs = towerbase::kSectionSigns[k];
        for (std::size_t j = 0; j < Sections[k].size(); ++j, ++n) {
            const DHPoint& p = Sections[k][j];
            double d = p.PegDis * OffsetFactor;
            if (ScaleOffsets) d = text::RoundAsPrinted(d, 3);
            AddRecord(text::Format(towerbase::kSectionPointRecord, n, signs.first * d, signs.second * d, p.HDiff));
            const int style = LinkStyle(p.SubIndex);
            AddRecord(j == 0 ? text::Format(towerbase::kFirstLinkRecord, n, style)
                             : text::Format(towerbase::kFurtherLinkRecord, n, n - 1, style));
        }
    }
}

int OrgTransition::WriteTowerBaseIni(const std::string& path) {
    if (text::WriteFileAtomically(path, text::ToGbkTextFile(towerbase::kIniText))) return 1;
    reporter().Error("创建塔基断面ini文件错误");
    return 0;
}

}  // namespace linvara
