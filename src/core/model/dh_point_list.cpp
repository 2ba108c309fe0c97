#include "model/dh_point_list.h"

#include <ctime>
#include <random>

#include "text/format.h"
#include "text/file_system.h"

namespace linvara {

int FindIndexByGpsId(const DHPointList& list, std::string_view gpsId) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].GPS_ID == gpsId) return static_cast<int>(i);
    return -1;
}

DHPoint FindByGpsId(const DHPointList& list, std::string_view gpsId, int* index) {
    int i = FindIndexByGpsId(list, gpsId);
    if (index) *index = i;
    return i >= 0 ? list[static_cast<size_t>(i)] : DHPoint{};
}

bool ReplaceByGpsId(DHPointList& list, const DHPoint& point) {
    int i = FindIndexByGpsId(list, point.GPS_ID);
    if (i < 0) return false;
    list[static_cast<size_t>(i)] = point;
    return true;
}

bool DeleteByGpsId(DHPointList& list, std::string_view gpsId) {
    int i = FindIndexByGpsId(list, gpsId);
    if (i < 0) return false;
    list.erase(list.begin() + i);
    return true;
}

bool IsNameTaken(const DHPointList& list, std::string_view name) {
    for (const DHPoint& p : list)
        if (p.NewPtName == name || p.OrgPtName == name) return true;
    return false;
}

std::string NewGpsId() {
    std::time_t now = std::time(nullptr);
    const std::tm local = text::LocalTime(now);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
    // Two points created within one second must still differ, so the
    // generator is seeded once from a real entropy source.
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> draw(0, 32767);
    return text::Format("%s_%d", stamp, draw(generator));
}

}  // namespace linvara
