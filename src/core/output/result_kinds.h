#pragma once
#include <span>
#include <string>

namespace linvara {

// The twelve result kinds, in the order of the output dialog's list.
struct ResultKindInfo {
    int kind;                // 0..11
    const char* text;        // list text, e.g. "AutoCAD--DXF格式(*.dxf)"
    const char* shortName;   // command-line name, e.g. "dxf"
};
std::span<const ResultKindInfo> ResultKinds();

// The extension of a file of `kind`, whatever was chosen before: "dxf" for 6,
// "CSV" for 8, "kml" for 11, "dat" for the others.
std::string ExtensionForKind(int kind);

// The save dialog's file-type filter for `kind`, in the
// "text|pattern|text|pattern||" form; the kind's own extension comes first.
std::string SaveFilterForKind(int kind);

// The KML kind packed as a KMZ archive (KmlPacking::Kmz): its extension and
// its save dialog's filter.
inline constexpr const char* kKmzExtension = "kmz";
std::string KmzSaveFilter();

// The path with the extension of its file name (if any) replaced by `ext`.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

}  // namespace linvara
