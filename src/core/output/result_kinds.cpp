#include "output/result_kinds.h"

#include <array>

#include "output/result_builders.h"
#include "text/format.h"

namespace linvara {
namespace {

using namespace output;

constexpr const char* kDatFilter = "成果文件 (*.dat)|*.dat||";
constexpr const char* kDatOrCsvFilter = "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||";

constexpr std::array<ResultKindInfo, 12> kKinds = {{
    {0, "Pn,Pc,y,x,h", "pn-pc-y-x-h", "dat", kDatOrCsvFilter, false, WriteCoordinateListKind},
    {1, "Pn Pc y x h", "pn-pc-y-x-h-sp", "dat", kDatFilter, false, WriteCoordinateListKind},
    {2, "Pn,Pc,x,y,h", "pn-pc-x-y-h", "dat", kDatOrCsvFilter, false, WriteCoordinateListKind},
    {3, "Pn Pc x y h", "pn-pc-x-y-h-sp", "dat", kDatFilter, false, WriteCoordinateListKind},
    {4, "Pn,x,y,h,Pc", "pn-x-y-h-pc", "dat", kDatOrCsvFilter, false, WriteCoordinateListKind},
    {5, "Pn x y h Pc", "pn-x-y-h-pc-sp", "dat", kDatFilter, false, WriteCoordinateListKind},
    {6, "AutoCAD--DXF格式(*.dxf)", "dxf", "dxf", "CAD文件 (*.dxf)|*.dxf||", false, WriteDxfKind},
    {7, "威远图格式(*.dat)", "dat", "dat", kDatFilter, false, WriteCoordinateListKind},
    {8, "点名,编码,x,y,h,转角,档距,里程(*.CSV)", "csv", "CSV", "成果文件 (*.CSV)|*.CSV||", false,
     WriteStakeTableKind},
    {9, "J桩Z桩点(Pn,Pc,x,y,h)", "jz", "dat", kDatFilter, false, WriteCoordinateListKind},
    {10, "J、Z桩Vexa格式(Pn,Pc,y,x,h)", "vexa", "dat", kDatFilter, false, WriteCoordinateListKind},
    {11, "J、Z桩KML格式(*KML)", "kml", "kml", "KML文件 (*.kml)|*.kml||", true, WriteKmlKind},
}};

}  // namespace

std::span<const ResultKindInfo> ResultKinds() { return kKinds; }

const ResultKindInfo* FindResultKind(int kind) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= kKinds.size()) return nullptr;
    return &kKinds[static_cast<std::size_t>(kind)];
}

int ParseResultKind(const std::string& value) {
    for (const ResultKindInfo& info : kKinds)
        if (value == info.shortName || value == std::to_string(info.kind)) return info.kind;
    return -1;
}

std::string ExtensionForKind(int kind) {
    const ResultKindInfo* info = FindResultKind(kind);
    return info ? info->extension : "dat";
}

std::string SaveFilterForKind(int kind) {
    const ResultKindInfo* info = FindResultKind(kind);
    return info ? info->saveFilter : kDatFilter;
}

bool KindPacksAsKmz(int kind) {
    const ResultKindInfo* info = FindResultKind(kind);
    return info && info->kmz;
}

std::string ResultKindTable() {
    std::string out;
    for (const ResultKindInfo& info : kKinds) text::AppendFormat(out, "%d\t%s\t%s\n", info.kind, info.shortName, info.extension);
    return out;
}

std::string KmzSaveFilter() { return "Google Earth KMZ (*.kmz)|*.kmz||"; }

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    if (path.empty()) return path;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + "." + ext;
}

}  // namespace linvara
