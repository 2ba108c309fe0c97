#include "output/result_kinds.h"

#include <array>

#include "text/file_name.h"
#include "text/format.h"

namespace linvara {
namespace {

constexpr std::array<ResultKindInfo, 12> kKinds = {{
    {0, "Pn,Pc,y,x,h", "pn-pc-y-x-h"},
    {1, "Pn Pc y x h", "pn-pc-y-x-h-sp"},
    {2, "Pn,Pc,x,y,h", "pn-pc-x-y-h"},
    {3, "Pn Pc x y h", "pn-pc-x-y-h-sp"},
    {4, "Pn,x,y,h,Pc", "pn-x-y-h-pc"},
    {5, "Pn x y h Pc", "pn-x-y-h-pc-sp"},
    {6, "AutoCAD--DXF格式(*.dxf)", "dxf"},
    {7, "威远图格式(*.dat)", "dat"},
    {8, "点名,编码,x,y,h,转角,档距,里程(*.CSV)", "csv"},
    {9, "J桩Z桩点(Pn,Pc,x,y,h)", "jz"},
    {10, "J、Z桩Vexa格式(Pn,Pc,y,x,h)", "vexa"},
    {11, "J、Z桩KML格式(*KML)", "kml"},
}};

}  // namespace

std::span<const ResultKindInfo> ResultKinds() { return kKinds; }

std::string ExtensionForKind(int kind) {
    switch (kind) {
        case 6: return "dxf";
        case 8: return "CSV";
        case 11: return "kml";
        default: return "dat";
    }
}

std::string SaveFilterForKind(int kind) {
    switch (kind) {
        case 0:
        case 2:
        case 4:
            return "成果文件 (*.dat)|*.dat|成果文件 (*.CSV)|*.CSV||";
        case 6:
            return "CAD文件 (*.dxf)|*.dxf||";
        case 11:
            return "KML文件 (*.kml)|*.kml||";
        default:
            return text::Format("成果文件 (*.%s)|*.%s||", ExtensionForKind(kind).c_str(), ExtensionForKind(kind).c_str());
    }
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
