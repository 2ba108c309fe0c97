#include "common/point_search.h"

#include <cmath>
#include <limits>

#include "text/format.h"

namespace linvara::gui {
namespace {

std::string Folded(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::vector<int> FindByName(const DHPointList& points, const std::string& text) {
    std::vector<int> exact, prefix, inside;
    if (text.empty()) return {};
    const std::string wanted = Folded(text);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string name = Folded(points[i].NewPtName);
        const std::size_t at = name.find(wanted);
        if (at == std::string::npos) continue;
        const int index = static_cast<int>(i);
        if (name.size() == wanted.size())
            exact.push_back(index);
        else if (at == 0)
            prefix.push_back(index);
        else
            inside.push_back(index);
    }
    exact.insert(exact.end(), prefix.begin(), prefix.end());
    exact.insert(exact.end(), inside.begin(), inside.end());
    return exact;
}

int NearestMileage(const DHPointList& points, double mileage) {
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double d = std::fabs(points[i].Mileage - mileage);
        if (d < bestDistance) {  // a mileage that is not a number never wins
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

bool ParseMileage(const std::string& typed, double& metres) {
    std::string text = text::Trim(typed);
    if (!text.empty() && (text[0] == 'K' || text[0] == 'k')) text.erase(0, 1);
    const std::size_t plus = text.find('+');
    if (plus == std::string::npos) return text::ParseDouble(text, metres) && std::isfinite(metres);
    double km = 0, m = 0;
    if (!text::ParseDouble(text.substr(0, plus), km) || !text::ParseDouble(text.substr(plus + 1), m)) return false;
    if (!std::isfinite(km) || !std::isfinite(m) || km < 0 || m < 0) return false;
    metres = km * 1000.0 + m;
    return true;
}

}  // namespace linvara::gui
