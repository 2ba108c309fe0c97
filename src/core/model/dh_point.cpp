#include "model/dh_point.h"

namespace linvara {

void DHPoint::Reset() { *this = DHPoint{}; }

const char* DHTypeName(int dhType) {
    static const char* const kNames[7] = {"J桩", "Z桩", "辅助点", "1点测标注跨越物", "1点测路河塘房等", "2点测路河塘房等", "3点测房"};
    return dhType >= 0 && dhType < 7 ? kNames[dhType] : "";
}

std::string SectionLetter(int subIndex) {
    return std::string(1, static_cast<char>(64 + subIndex));
}

}  // namespace linvara
