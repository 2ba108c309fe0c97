#pragma once
#include <string>

namespace linvara {

// One row of Electric_Data_TG: a tower-base section point as the collector
// stores it. SubIndex is 0-based here (0 = A).
struct TGDataUnit {
    std::string Name;
    double x = 0;
    double y = 0;
    double h = 0;
    std::string Code;
    double PegDis = 0;
    double HDiff = 0;  // h - Midh, computed on reading
    std::string PegName;
    int SubIndex = 0;
    double Midx = 0, Midy = 0, Midh = 0;
    double Pegx = 0, Pegy = 0, Pegh = 0;
};

}  // namespace linvara
