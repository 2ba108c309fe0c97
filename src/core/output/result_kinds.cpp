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

std::string DefaultExtensionForKind(int kind, const std::string& current) {
    if (kind == 6) return "dxf";
    if (kind == 8) return "CSV";
    if (kind >= 0 && kind <= 8) return "dat";
    return current;
}

std::string SaveFilterForKind(int kind, const std::string& ext) {
    const char* e = ext.c_str();
    switch (kind) {
        case 0:
        case 2:
        case 4:
            return text::Format("成果文件 (*.%s)|*.%s|成果文件 (*.CSV)|*.CSV||", e, e);
        case 6:
            return text::Format("CAD文件 (*.%s)|*.%s||", e, e);
        case 10:
            return "成果文件 (*.dat)|*.dat||";
        case 11:
            return "成果文件 (*.KML)|*.KML||";
        default:
            return text::Format("成果文件 (*.%s)|*.%s||", e, e);
    }
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
    if (path.empty()) return path;
    return text::DropLastChars(path, 3) + ext;
}

}  // namespace linvara
