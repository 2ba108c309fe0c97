// Per centre stake one ORG file drawing its sections around the stake and
// one INI file.
#include "towerbase/tower_base_output.h"

#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "status.h"
#include "text/encoding.h"
#include "text/file_name.h"
#include "text/format.h"
#include "text/record_file.h"
#include "towerbase/exchange_order.h"
#include "towerbase/tower_base_templates.h"

namespace linvara {
namespace {

constexpr int kSectionCount = 8;
constexpr int kReportedSections = 4;  // A..D must be measured; E..H are optional

// Offsets are drawn on the diagonals: each plan coordinate is the offset
// times sqrt(2) / 2, rounded to millimetres.
const double kOffsetFactor = std::sqrt(2.0) * 0.5;

// The points of each centre stake, stakes in order of first appearance and
// compared as exact text, points in load order.
struct StakePoints {
    std::string name;
    std::vector<const SectionPoint*> points;
};

std::vector<StakePoints> GroupByStake(const SectionPointList& points) {
    std::vector<StakePoints> stakes;
    std::unordered_map<std::string, std::size_t> index;
    for (const SectionPoint& p : points) {
        auto [it, added] = index.try_emplace(p.PegName, stakes.size());
        if (added) stakes.push_back({p.PegName, {}});
        stakes[it->second].points.push_back(&p);
    }
    return stakes;
}

// The order among equal offsets is the exchange sort's the output has always had.
void SortByOffset(SectionPointList& section) {
    std::vector<double> offsets;
    offsets.reserve(section.size());
    for (const SectionPoint& p : section) offsets.push_back(p.PegDis);
    SectionPointList sorted;
    sorted.reserve(section.size());
    for (std::size_t i : ExchangeSortOrder(offsets)) sorted.push_back(std::move(section[i]));
    section = std::move(sorted);
}

TowerBaseSections CollectSections(const StakePoints& stake) {
    TowerBaseSections sections;
    for (const SectionPoint* p : stake.points)
        if (p->SubIndex >= 1 && p->SubIndex <= kSectionCount)  // others belong to no section
            sections[static_cast<std::size_t>(p->SubIndex - 1)].push_back(*p);
    for (SectionPointList& section : sections) SortByOffset(section);
    return sections;
}

// A..H link styles 2, 3, 4, 1, 2, 3, 4, 5.
int LinkStyle(int subIndex) {
    const int style = subIndex + 1;
    return style > 4 ? style - 4 : style;
}

}  // namespace

std::string MissingSectionText(int section) {
    return std::string("塔基") + SectionLetter(section) + "断面未测量,该中桩的塔基断面org文件中没有" +
           SectionLetter(section) + "断面";
}

std::vector<std::string> TowerBaseRecords(const TowerBaseSections& sections) {
    std::vector<std::string> records{towerbase::kCentreRecord};
    int n = 2;
    for (std::size_t k = 0; k < sections.size(); ++k) {
        const towerbase::PlanSigns signs = towerbase::kSectionSigns[k];
        for (std::size_t j = 0; j < sections[k].size(); ++j, ++n) {
            const SectionPoint& p = sections[k][j];
            const double d = text::RoundAsPrinted(p.PegDis * kOffsetFactor, 3);
            records.push_back(
                text::Format(towerbase::kSectionPointRecord, n, signs.first * d, signs.second * d, p.HDiff));
            const int style = LinkStyle(p.SubIndex);
            records.push_back(j == 0 ? text::Format(towerbase::kFirstLinkRecord, n, style)
                                     : text::Format(towerbase::kFurtherLinkRecord, n, n - 1, style));
        }
    }
    return records;
}

Status WriteTowerBaseIni(const std::string& path) {
    std::string error;
    if (text::WriteGbkTextFile(path, towerbase::kIniText, &error)) return Status::Ok();
    return Status::Failed(WithCause("创建塔基断面ini文件错误：" + path, error));
}

namespace {

// Windows file names ignore case, and making names safe can turn two
// stakes into one name: a stem this run has already used (compared with
// ASCII letters folded) gets "_2", "_3", ... so no stake's files replace
// another's, on every system alike.
class StemNames {
public:
    std::string Claim(const std::string& stem) {
        std::string name = stem;
        for (int n = 2; !used_.insert(text::AsciiLower(name)).second; ++n) name = stem + "_" + std::to_string(n);
        return name;
    }

private:
    std::unordered_set<std::string> used_;
};

Status WriteStakeOrg(const std::string& path, const TowerBaseSections& sections) {
    std::string error;
    if (text::WriteRecordFile(path, {TowerBaseRecords(sections)}, &error)) return Status::Ok();
    return Status::Failed(WithCause("创建塔基断面org文件错误：" + path, error));
}

// Reports a file that could not be written; 1 for it, 0 when it was written.
int CountFailure(const Status& status, Reporter& reporter) {
    ReportFailure(reporter, status);
    return status ? 0 : 1;
}

}  // namespace

StatusOr<int> WriteTowerBaseFiles(const SectionPointList& points, const std::string& outputPath, Reporter& reporter) {
    try {  // before the first file, not between two
        text::RequireAnsiConverters();
    } catch (const text::EncodingError& e) {
        return Status::Failed(WithCause("创建塔基断面org文件错误：" + outputPath, e.what()));
    }
    const std::string base = text::WithExtension(outputPath, "");
    StemNames stems;
    int failed = 0;
    const auto stakes = GroupByStake(points);
    for (const StakePoints& stake : stakes) {
        const TowerBaseSections sections = CollectSections(stake);
        for (int k = 1; k <= kReportedSections; ++k)
            if (sections[static_cast<std::size_t>(k - 1)].empty())
                reporter.AboutPoint(MessageLevel::Warning, MissingSectionText(k), {stake.name, -1, {}});
        const std::string wanted = base + "_" + text::SafeFileNamePart(stake.name);
        const std::string stem = stems.Claim(wanted);
        if (stem != wanted)
            reporter.Warning("中桩" + stake.name + "的塔基断面文件名与已写出的文件重名（文件名不区分大小写），改存为" +
                             text::FileStem(stem + ".org") + ".org和.INI");
        // A file that cannot be written is reported and the next stake goes on.
        failed += CountFailure(WriteStakeOrg(stem + ".org", sections), reporter);
        failed += CountFailure(WriteTowerBaseIni(stem + ".INI"), reporter);
    }
    reporter.Done(text::Format("塔基断面转换完成!已写入：%s_<中桩>.org和.INI（%zu个中桩）", base.c_str(), stakes.size()));
    return failed;
}

}  // namespace linvara
