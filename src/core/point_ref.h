#pragma once
#include <string>

namespace linvara {

// The point a message concerns: its name, its row in the working stake list
// (from 0; -1 when it has none there, a tower-base stake for one) and its
// GPS identity (empty when unknown), by which a window finds it again.
struct PointRef {
    std::string name;
    long long row = -1;
    std::string gpsId;
};

// "<text>（点名：N，第R行）": the message with the point it concerns; the row
// is counted from 1 as the list shows it.
inline std::string WithPoint(const std::string& text, const PointRef& point) {
    std::string out = text + "（点名：" + point.name;
    if (point.row >= 0) out += "，第" + std::to_string(point.row + 1) + "行";
    return out + "）";
}

}  // namespace linvara
