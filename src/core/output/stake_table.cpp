#include "model/geometry.h"
#include "model/stake_sequence.h"
#include "output/result_text.h"

namespace linvara::output {
namespace {

constexpr const char* kHeader = "点名,编码,x,y,h,转角(度.分秒),档距,里程,\n";

void AppendRow(std::string& out, const DHPoint& p, const std::string& angle, const DHPoint* previous) {
    out += p.NewPtName;
    out += ',';
    out += p.Code;
    out += ',';
    AppendFixed(out, p.Dx, 4);
    out += ',';
    AppendFixed(out, p.Dy, 4);
    out += ',';
    AppendFixed(out, p.Dh, 4);
    out += ',';
    out += angle;
    out += ',';
    if (previous) AppendFixed(out, PlaneDistance(*previous, p), 3);
    else out += '0';
    out += ',';
    AppendFixed(out, p.Mileage, 4);
    out += ",\n";
}

}  // namespace

std::string BuildStakeTable(const DHPointList& list, int& written) {
    written = 0;
    std::string out(kHeader);
    out.reserve(list.size() * 96 + out.size());
    const DHPointList jStakes = JStakeList(list);
    int j = 0;
    const DHPoint* previous = nullptr;
    for (const DHPoint& p : list) {
        std::string angle;
        if (p.DHType == JStake) angle = AngleText(TurningAngleAt(jStakes, j++));
        AppendRow(out, p, angle, previous);
        previous = &p;
        ++written;
    }
    return out;
}

}  // namespace linvara::output
