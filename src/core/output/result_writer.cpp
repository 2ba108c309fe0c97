#include "output/result_writer.h"

#include "model/point_values.h"
#include "output/kml_writer.h"
#include "output/result_builders.h"
#include "text/format.h"

namespace linvara {
namespace {

constexpr const char* kUnknownKind = "未知的成果文件格式";
constexpr const char* kKmzForKmlOnly = "KMZ只用于J、Z桩KML格式";

}  // namespace

StatusOr<int> WriteResultFile(const DHPointList& list, const std::string& path, int kind, Reporter& reporter,
                              KmlPacking packing) {
    const ResultKindInfo* info = FindResultKind(kind);
    if (!info) return Status::Failed(kUnknownKind);
    if (packing == KmlPacking::Kmz && (!info->kmz || !KmzAvailable()))
        return Status::Failed(!info->kmz ? kKmzForKmlOnly : kKmzNotInThisBuild);
    // A name of only white space cannot be a file on the desktop platforms
    // our users share files with.
    if (text::Trim(path).empty()) return Status::Failed(output::kNoResultPath);
    if (Status usable = UsableValues(list); !usable) return usable;
    int written = 0;
    if (Status built = info->build(list, path, kind, packing, reporter, written); !built) return built;
    return written;
}

}  // namespace linvara
