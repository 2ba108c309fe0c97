// What the tower-base conversion reports per centre stake, or leaves out.
#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/rules.h"
#include "text/format.h"
#include "towerbase/tower_base_output.h"

namespace linvara::check {
namespace {

constexpr int kSections = 8;
constexpr int kRequiredSections = 4;  // A..D must be measured; E..H are optional

struct Stake {
    std::size_t firstRow = 0;
    std::array<bool, kSections> measured{};
};

Finding TowerFinding(Place place, std::size_t row, const std::string& point, const Rule& rule, std::string message) {
    Finding f = Found(rule, place, std::move(message));
    f.row = static_cast<int>(row);
    f.point = point;
    return f;
}

}  // namespace

void CheckTowerBase(const CheckInput& in, Findings& out) {
    // Stakes in order of first appearance, names compared as exact text.
    std::vector<std::string_view> order;
    std::unordered_map<std::string_view, Stake> stakes;
    for (std::size_t i = 0; i < in.towerBase.size(); ++i) {
        const SectionPoint& p = in.towerBase[i];
        auto [it, added] = stakes.try_emplace(p.PegName, Stake{i, {}});
        if (added) order.push_back(p.PegName);
        if (p.SubIndex >= 1 && p.SubIndex <= kSections) {
            it->second.measured[static_cast<std::size_t>(p.SubIndex - 1)] = true;
            continue;
        }
        Finding f = TowerFinding(Place::TowerBaseRow, i, p.NewPtName, RuleNamed("section-index"),
                                 text::Format("中桩%s的塔基断面点的断面序号%d超出范围（1～8），转换时不输出该点",
                                              p.PegName.c_str(), p.SubIndex));
        out.push_back(std::move(f));
    }
    for (std::string_view name : order) {
        const Stake& stake = stakes.at(name);
        for (int k = 1; k <= kRequiredSections; ++k) {
            if (stake.measured[static_cast<std::size_t>(k - 1)]) continue;
            const std::string letter = SectionLetter(k);
            // The stake's files are still written, without the section: a
            // gap in the survey, reported in the conversion's own words.
            Finding f = TowerFinding(Place::TowerBaseStake, stake.firstRow, std::string(name),
                                     RuleNamed("section-missing"), MissingSectionText(k));
            f.section = letter;
            out.push_back(std::move(f));
        }
    }
}

}  // namespace linvara::check
