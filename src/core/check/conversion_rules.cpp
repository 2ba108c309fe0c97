// What the ORG conversion reports per point, or leaves out without a word.
#include <cmath>
#include <string_view>
#include <unordered_map>

#include "check/rules.h"
#include "model/code_tables.h"
#include "org/aux_problem.h"
#include "org/feature_class.h"
#include "org/org_record_builder.h"
#include "text/format.h"

namespace linvara::check {
namespace {

// The conversion looks auxiliary points up by the name they were surveyed
// under (OrgPtName), the first of the list with that name winning.
struct OrgNames {
    std::unordered_map<std::string_view, std::size_t> aux;  // first auxiliary point per OrgPtName
    std::unordered_map<std::string_view, std::size_t> any;  // first point of any kind per OrgPtName

    explicit OrgNames(const DHPointList& points) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            any.try_emplace(points[i].OrgPtName, i);
            if (points[i].DHType == AuxPoint) aux.try_emplace(points[i].OrgPtName, i);
        }
    }
};

// Why `name` finds no auxiliary point, in the conversion's words; empty when it finds one.
std::string AuxProblem(const CheckInput& in, const OrgNames& names, const std::string& name) {
    if (!name.empty() && names.aux.contains(name)) return {};
    const auto other = names.any.find(name);
    return org::AuxProblem(name, in.points, other == names.any.end() ? -1 : static_cast<long long>(other->second));
}

void TwoPointAux(const CheckInput& in, const OrgNames& names, std::size_t row, Findings& out) {
    const std::string problem = AuxProblem(in, names, in.points[row].FZdmPt);
    if (!problem.empty())
        out.push_back(AtRow(in, row, RuleNamed("aux-missing"), org::kTwoPointAuxMissing + problem));
}

void HouseCorners(const CheckInput& in, const OrgNames& names, std::size_t row, Findings& out) {
    const DHPoint& p = in.points[row];
    const std::string message =
        org::HouseCornerMessage(AuxProblem(in, names, p.BZdmPt), AuxProblem(in, names, p.FZdmPt));
    if (!message.empty()) out.push_back(AtRow(in, row, RuleNamed("house-corner"), message));
}

// A crossing label carries the crossed object's type and height in its own
// records; the conversion writes 0 and 0.1 for what is missing.
void CrossingRecords(const CheckInput& in, std::size_t row, Findings& out) {
    const DHPoint& p = in.points[row];
    if (p.LXCode == 0)
        out.push_back(AtRow(in, row, RuleNamed("crossing-type"),
                            "1点测标注跨越物未设置跨越物类型，ORG文件中的跨越记录类型为0"));
    if (std::abs(p.AddHight) < 0.00001)
        out.push_back(AtRow(in, row, RuleNamed("crossing-height"),
                            "1点测标注跨越物没有跨越高度，ORG文件中按0.100米输出"));
}

std::string ClassText(int glCode) {
    const std::string known = CodeText(FeatureClassTable(), glCode);
    return known.empty() ? text::Format("%d", glCode) : known;
}

// Classes outside the groups get no feature records: only the point itself is written.
void FeatureClass(const CheckInput& in, std::size_t row, Findings& out) {
    const DHPoint& p = in.points[row];
    int cls = p.GLCode;
    if (p.DHType == FeatureTwoPoint && (cls == 0 || cls == -1)) cls = 184;  // unset counts as road there
    if (org::GroupOf(cls) != org::FeatureGroup::Other) return;
    if (cls != 0 && IndexOfCode(FeatureClassTable(), cls) < 0) return;  // an unknown code is reported as such
    const std::string what = p.DHType == FeatureTwoPoint ? "2点测" : "1点测";
    out.push_back(AtRow(in, row, RuleNamed("feature-class"),
                        cls == 0 ? what + "地物未设置地物类别，ORG文件中只输出该点"
                                 : what + "地物的类别" + ClassText(cls) + "不生成地物记录，ORG文件中只输出该点"));
}

// Auxiliary points are written once per name number: a later one with the
// same number is left out.
void AuxNumbers(const CheckInput& in, Findings& out) {
    std::unordered_map<int, std::size_t> first;
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const DHPoint& p = in.points[i];
        if (p.DHType != AuxPoint) continue;
        const int number = OrgRecordBuilder::NameNumber(p.NewPtName);
        const auto [at, added] = first.try_emplace(number, i);
        if (added) continue;
        out.push_back(AtRow(in, i, RuleNamed("aux-number"),
                            text::Format("辅助点点号%d与%s的辅助点%s相同，ORG文件中只输出前者", number,
                                         RowText(at->second).c_str(), in.points[at->second].NewPtName.c_str())));
    }
}

}  // namespace

void CheckConversion(const CheckInput& in, Findings& out) {
    const OrgNames names(in.points);
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const int kind = in.points[i].DHType;
        switch (kind) {
            case CrossingOnePoint: CrossingRecords(in, i, out); break;
            case FeatureOnePoint: FeatureClass(in, i, out); break;
            case FeatureTwoPoint:
                TwoPointAux(in, names, i, out);
                FeatureClass(in, i, out);
                break;
            case HouseThreePoint: HouseCorners(in, names, i, out); break;
            default:
                if (kind < JStake || kind > HouseThreePoint)
                    out.push_back(AtRow(in, i, RuleNamed("kind-invalid"),
                                        text::Format("点类型%d无效，转换时不输出该点", kind)));
                break;
        }
    }
    AuxNumbers(in, out);
}

}  // namespace linvara::check
