// Data the result files need: geodetic coordinates of the stakes for KML,
// codes the code tables know.
#include <cmath>
#include <span>

#include "check/rules.h"
#include "model/code_tables.h"
#include "text/format.h"

namespace linvara::check {
namespace {

void Geodetic(const CheckInput& in, std::size_t row, Findings& out) {
    const DHPoint& p = in.points[row];
    const std::string kind = DHTypeName(p.DHType);
    if (!std::isfinite(p.B) || !std::isfinite(p.L) || std::fabs(p.B) > 90 || std::fabs(p.L) > 180)
        out.push_back(AtRow(in, row, RuleNamed("latlon-missing"),
                            kind + "的经纬度无效，KML文件中该桩的位置错误"));
    else if (p.B == 0 && p.L == 0)
        out.push_back(AtRow(in, row, RuleNamed("latlon-missing"),
                            kind + "没有经纬度，KML文件中该桩位于(0, 0)"));
}

// Code 0 means "not set" and is never looked up.
void Code(const CheckInput& in, std::size_t row, std::span<const CodeName> table, int code, const char* field,
          Findings& out) {
    if (code == 0 || IndexOfCode(table, code) >= 0) return;
    out.push_back(AtRow(in, row, RuleNamed("code-unknown"),
                        text::Format("%s代码%d不在代码表中", field, code)));
}

void Codes(const CheckInput& in, std::size_t row, Findings& out) {
    const DHPoint& p = in.points[row];
    switch (p.DHType) {
        case AuxPoint: Code(in, row, PointCodeTable(), p.ObjectCode, "地物代码", out); break;
        case CrossingOnePoint:
            Code(in, row, PoleTypeTable(), p.PoleType, "杆型", out);
            Code(in, row, CrossingObjectTable(), p.LXCode, "跨越物类型", out);
            break;
        case FeatureOnePoint:
        case HouseThreePoint: Code(in, row, FeatureClassTable(), p.GLCode, "地物类别", out); break;
        case FeatureTwoPoint:  // -1 stands for a road there, like 0
            if (p.GLCode != -1) Code(in, row, FeatureClassTable(), p.GLCode, "地物类别", out);
            break;
        default: break;
    }
}

}  // namespace

void CheckOutputData(const CheckInput& in, Findings& out) {
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const int kind = in.points[i].DHType;
        if (kind == JStake || kind == ZStake) Geodetic(in, i, out);
        Codes(in, i, out);
    }
}

}  // namespace linvara::check
