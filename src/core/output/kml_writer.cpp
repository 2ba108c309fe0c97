#include "output/kml_writer.h"

#include <utility>

#include "model/stake_sequence.h"
#include "output/kml_document.h"
#include "output/result_builders.h"
#include "output/stake_icon.h"
#include "output/zip_archive.h"
#include "text/atomic_file.h"
#include "text/file_name.h"
#include "text/format.h"

namespace linvara {
namespace {

// Red in the blue-green-red order of KML colours.
constexpr unsigned kStakeIconColor = 0x0000ff;

// Inside a KMZ: the KML a viewer opens (the first entry) and the icon beside it.
constexpr const char* kKmzDocument = "doc.kml";
constexpr const char* kKmzIcon = "files/donut.png";

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

std::string StakeKml(const DHPointList& list, const std::string& target, std::string_view icon) {
    output::KmlDocument kml(DocumentName(target), true, icon);
    AddStakes(kml, JStakeList(list));
    AddStakes(kml, ZStakeList(list));
    return kml.Finish();
}

Status CannotCreate(const std::string& path, const std::string& cause) {
    return Status::Failed(WithCause(output::kCannotCreate + path, cause));
}

// Writes `bytes` to the trimmed path that `target` is.
Status WriteTo(const std::string& path, const std::string& target, const std::string& bytes) {
    std::string error;
    return text::WriteFileAtomically(target, bytes, &error) ? Status::Ok() : CannotCreate(path, error);
}

}  // namespace

Status WriteStakeKml(const DHPointList& list, const std::string& path) {
    const std::string target = text::Trim(path);
    if (target.empty()) return Status::Failed(output::kNoResultPath);
    return WriteTo(path, target, StakeKml(list, target, output::kWebStakeIcon));
}

bool KmzAvailable() { return output::ZipAvailable(); }

Status WriteStakeKmz(const DHPointList& list, const std::string& path) {
    const std::string target = text::Trim(path);
    if (target.empty()) return Status::Failed(output::kNoResultPath);
    if (!KmzAvailable()) return CannotCreate(path, kKmzNotInThisBuild);
    const std::string kml = StakeKml(list, target, kKmzIcon);
    const std::string icon = output::StakeIconPng();
    const output::ZipEntry entries[] = {{kKmzDocument, kml, true}, {kKmzIcon, icon, false}};
    std::string zip, cause;
    if (!output::BuildZip(entries, zip, cause)) return CannotCreate(path, cause);
    return WriteTo(path, target, zip);
}

}  // namespace linvara
