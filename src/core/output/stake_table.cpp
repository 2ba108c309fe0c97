#include "output/stake_table.h"

#include "model/geometry.h"
#include "model/stake_sequence.h"
#include "output/result_text.h"

namespace linvara::output {
namespace {

constexpr const char* kHeader = "点名,编码,x,y,h,转角(度.分秒),档距,里程,\n";

void AppendRow(std::string& out, const StakeRow& row) {
    const DHPoint& p = row.point;
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
    out += row.angle;
    out += ',';
    if (row.previous) AppendFixed(out, row.span, 3);
    else out += '0';
    out += ',';
    AppendFixed(out, p.Mileage, 4);
    out += ",\n";
}

}  // namespace

void ForEachStakeRow(const DHPointList& list, const std::function<void(const StakeRow&)>& visit) {
    const DHPointList jStakes = JStakeList(list);
    int j = 0;
    const DHPoint* previous = nullptr;
    std::string angle;
    for (const DHPoint& p : list) {
        angle.clear();
        if (p.DHType == JStake) angle = AngleText(TurningAngleAt(jStakes, j++));
        visit(StakeRow{p, angle, previous, previous ? PlaneDistance(*previous, p) : 0.0});
        previous = &p;
    }
}

std::string BuildStakeTable(const DHPointList& list, int& written) {
    written = 0;
    std::string out(kHeader);
    out.reserve(list.size() * 96 + out.size());
    ForEachStakeRow(list, [&](const StakeRow& row) {
        AppendRow(out, row);
        ++written;
    });
    return out;
}

}  // namespace linvara::output
