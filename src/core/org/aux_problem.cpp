#include "org/aux_problem.h"

#include "model/dh_point.h"

namespace linvara::org {

std::string AuxProblem(const std::string& name, const DHPointList& points, long long otherRow) {
    if (name.empty()) return "未指定辅助点";
    if (otherRow < 0 || static_cast<std::size_t>(otherRow) >= points.size())
        return "原点名为" + name + "的辅助点不存在";
    const DHPoint& other = points[static_cast<std::size_t>(otherRow)];
    return "原点名为" + name + "的点（第" + std::to_string(otherRow + 1) + "行）是" + DHTypeName(other.DHType) +
           "，不是辅助点";
}

std::string HouseCornerMessage(const std::string& backProblem, const std::string& frontProblem) {
    if (backProblem.empty() && frontProblem.empty()) return {};
    std::string message = kHouseCornerMissing + backProblem;
    if (!backProblem.empty() && !frontProblem.empty()) message += "；";
    return message + frontProblem;
}

}  // namespace linvara::org
