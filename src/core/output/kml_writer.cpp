#include "output/kml_writer.h"

#include <utility>

#include "model/stake_sequence.h"
#include "output/kml_document.h"
#include "text/atomic_file.h"
#include "text/file_name.h"
#include "text/format.h"

namespace linvara {
namespace {

// Red in the blue-green-red order of KML colours.
constexpr unsigned kStakeIconColor = 0x0000ff;

// The file name without its extension; empty when the name has no ".".
std::string DocumentName(const std::string& path) {
    text::FileNameParts name = text::SplitFileName(path);
    return name.extension.empty() ? std::string() : std::move(name.stem);
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

int WriteStakeKml(const DHPointList& list, const std::string& path, std::string* error) {
    const std::string target = text::Trim(path);
    if (target.empty()) return 0;
    output::KmlDocument kml(DocumentName(target), true);
    AddStakes(kml, JStakeList(list));
    AddStakes(kml, ZStakeList(list));
    return text::WriteFileAtomically(target, kml.Finish(), error) ? 1 : 0;
}

}  // namespace linvara
