// Names and codes the result files cannot carry as they are: the writers keep
// the bytes, so the engineer hears of it before handing the files on.
#include "check/rules.h"
#include "output/field_trouble.h"

namespace linvara::check {

void CheckNameDelimiters(const CheckInput& in, Findings& out) {
    std::string trouble;
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        const std::vector<int> kinds = output::KindsBrokenBy(in.points[i], trouble);
        if (kinds.empty()) continue;
        std::string list;
        for (int kind : kinds) list += (list.empty() ? "" : "、") + std::to_string(kind);
        out.push_back(AtRow(in, i, RuleNamed("name-delimiter"),
                            trouble + "：成果格式" + list + "中该点的行会被其他程序读错（错列或截断）"));
    }
}

}  // namespace linvara::check
