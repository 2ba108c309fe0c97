#include "output/kml_writer.h"

#include "model/stake_sequence.h"
#include "output/kml_document.h"
#include "text/atomic_file.h"
#include "text/format.h"

namespace linvara {
namespace {

// Red in the blue-green-red order of KML colours.
constexpr unsigned kStakeIconColor = 0x0000ff;

// The file name without its extension; empty when the name has no ".".
std::string DocumentName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(0, dot);
}

void AddStakes(output::KmlDocument& kml, const DHPointList& stakes) {
    for (const DHPoint& p : stakes) {
        output::Placemark mark;
        mark.name = p.NewPtName;
        mark.coordinates.push_back({p.B, p.L, p.H});
        mark.iconColor = kStakeIconColor;
        kml.Add(mark);
    }
}

}  // namespace

int WriteStakeKml(const DHPointList& list, const std::string& path) {
    const std::string target = text::Trim(path);
    if (target.empty()) return 0;
    output::KmlDocument kml(DocumentName(target), true);
    AddStakes(kml, JStakeList(list));
    AddStakes(kml, ZStakeList(list));
    return text::WriteFileAtomically(target, kml.Finish()) ? 1 : 0;
}

}  // namespace linvara
