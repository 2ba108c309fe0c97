#include <cmath>

#include "model/geometry.h"
#include "output/result_text.h"
#include "output/result_writer.h"
#include "text/format.h"

namespace linvara {

double TurningAngleAt(const DHPointList& jStakes, int i) {
    const int count = static_cast<int>(jStakes.size());
    if (i <= 0 || i >= count - 1) return 0;
    return TurningAngle(jStakes[i - 1], jStakes[i], jStakes[i + 1]);
}

namespace output {

std::string AngleText(double packedAngle) {
    // "+ 0.0" turns a negative zero into zero, so it prints without a sign.
    if (packedAngle >= 0) return text::Format("右%.8f", packedAngle + 0.0);
    return text::Format("左%.8f", std::fabs(packedAngle));
}

}  // namespace output
}  // namespace linvara
