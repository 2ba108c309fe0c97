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

// The default extension after the kind changed to `kind`: kinds 0..8 set it
// ("dxf" for 6, "CSV" for 8, "dat" otherwise); 9..11 keep `current`.
std::string DefaultExtensionForKind(int kind, const std::string& current);

// The save dialog's file-type filter for `kind` with default extension `ext`,
// in the "text|pattern|text|pattern||" form.
std::string SaveFilterForKind(int kind, const std::string& ext);

// The path with its last 3 characters replaced by `ext` (kind change).
std::string ReplaceExtension(const std::string& path, const std::string& ext);

}  // namespace linvara
