#include "model/point_values.h"

#include <cmath>

#include "text/format.h"

namespace linvara {

bool IsSurveyValue(double value) { return std::isfinite(value) && std::fabs(value) <= kMaxSurveyValue; }

std::string UnusableValue(const DHPoint& p) {
    const struct {
        const char* name;
        double value;
    } values[] = {
        {"北坐标", p.Dx},       {"东坐标", p.Dy},     {"高程", p.Dh},       {"纬度", p.B},
        {"经度", p.L},          {"大地高", p.H},      {"里程", p.Mileage},  {"偏距", p.Offset},
        {"高差", p.DiffHight},  {"附加高", p.AddHight}, {"交叉角", p.CrossAngle}, {"宽度", p.GLWide},
    };
    for (const auto& v : values)
        if (!IsSurveyValue(v.value)) return text::Format("%s为%g", v.name, v.value);
    return {};
}

namespace {

constexpr const char* kNotConvertible = "，不是有效的测量值，不能转换";

// The row of the first point with an unusable value, or -1.
long long FirstUnusable(const DHPointList& list) {
    for (std::size_t row = 0; row < list.size(); ++row)
        if (!UnusableValue(list[row]).empty()) return static_cast<long long>(row);
    return -1;
}

PointRef RefOf(const DHPointList& list, long long row) {
    const DHPoint& p = list[static_cast<std::size_t>(row)];
    return {p.NewPtName, row, p.GPS_ID};
}

}  // namespace

Status ConvertiblePoints(const DHPointList& list, const std::string& projectPath) {
    if (list.empty()) return Status::Failed("工程中没有点：" + projectPath);
    return UsableValues(list);
}

Status UsableValues(const DHPointList& list) {
    const long long row = FirstUnusable(list);
    if (row < 0) return Status::Ok();
    return Status::FailedAt(UnusableValue(list[static_cast<std::size_t>(row)]) + kNotConvertible, RefOf(list, row));
}

}  // namespace linvara
