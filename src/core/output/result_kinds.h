#pragma once
#include <span>
#include <string>

#include "model/dh_point_list.h"
#include "reporter.h"
#include "status.h"

namespace linvara {

// How the KML kind is written: as a KML file, or as a KMZ archive that
// carries the stake icon, for viewers without internet.
enum class KmlPacking { Kml, Kmz };

// Writes the file of one kind to a path already checked (atomically), warns
// about what the file cannot carry as it is and says "done"; `written` gets
// the number of points the file holds. The failure's text names the file.
using ResultBuilder = Status (*)(const DHPointList& list, const std::string& path, int kind, KmlPacking packing,
                                 Reporter& reporter, int& written);

// One result kind: everything the writer, the command line, the desktop
// dialog and the scripts know about it. A new kind is a new row here and
// its builder.
struct ResultKindInfo {
    int kind;                // its number, the row's index: "--kind 6", the dialog's list position
    const char* text;        // list text, e.g. "AutoCAD--DXF格式(*.dxf)"
    const char* shortName;   // command-line name, e.g. "dxf"
    const char* extension;   // of its files, without the dot
    const char* saveFilter;  // the save dialog's filter, "text|pattern|…||", its own extension first
    bool kmz;                // may be packed as a KMZ archive
    ResultBuilder build;
};

// Every kind, in the order of the output dialog's list (row i is kind i).
std::span<const ResultKindInfo> ResultKinds();

// The row of `kind`, or nullptr when there is no such kind.
const ResultKindInfo* FindResultKind(int kind);

// The kind of a number ("6") or a short name ("dxf"); -1 when there is none.
int ParseResultKind(const std::string& value);

// The extension of a file of `kind`, whatever was chosen before: "dxf" for 6,
// "CSV" for 8, "kml" for 11, "dat" for the others.
std::string ExtensionForKind(int kind);

// The save dialog's file-type filter for `kind`, in the
// "text|pattern|text|pattern||" form; the kind's own extension comes first.
std::string SaveFilterForKind(int kind);

// Whether `kind` may be packed as a KMZ archive (the KML kind).
bool KindPacksAsKmz(int kind);

// One line per kind, "number<TAB>name<TAB>extension\n", for scripts.
std::string ResultKindTable();

// The KML kind packed as a KMZ archive (KmlPacking::Kmz): its extension and
// its save dialog's filter.
inline constexpr const char* kKmzExtension = "kmz";
std::string KmzSaveFilter();

// The path with the extension of its file name (if any) replaced by `ext`.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

}  // namespace linvara
