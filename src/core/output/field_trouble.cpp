#include "output/field_trouble.h"

#include <string_view>

namespace linvara::output {
namespace {

constexpr std::string_view kCommaLine = ",\"\t\r\n";
constexpr std::string_view kSpaceLine = " \"\t\r\n";
constexpr std::string_view kDxfText = "\r\n";  // one value per line
constexpr std::string_view kAnyKind = ", \"\t\r\n";

// What each kind writes of a point and which characters break it; KML
// escapes its texts, so nothing does there.
struct KindFields {
    int kind;
    std::string_view breaking;
    bool code;        // the code is written too
    bool stakesOnly;  // only J and Z stakes are written
};

constexpr KindFields kKinds[] = {
    {0, kCommaLine, true, false}, {1, kSpaceLine, true, false}, {2, kCommaLine, true, false},
    {3, kSpaceLine, true, false}, {4, kCommaLine, true, false}, {5, kSpaceLine, true, false},
    {6, kDxfText, false, false},  {7, kCommaLine, true, false}, {8, kCommaLine, true, false},
    {9, kCommaLine, true, true},  {10, kCommaLine, true, true},
};

struct CharName {
    char c;
    const char* name;
};
constexpr CharName kNames[] = {{',', "逗号"},   {' ', "空格"},   {'"', "双引号"},
                               {'\t', "制表符"}, {'\r', "换行符"}, {'\n', "换行符"}};

// "逗号、双引号": the characters of `breaking` that `text` holds, each name once.
std::string Held(const std::string& text, std::string_view breaking) {
    std::string out;
    for (const CharName& n : kNames) {
        if (breaking.find(n.c) == std::string_view::npos || text.find(n.c) == std::string::npos) continue;
        const std::string name = n.name;
        if (out.find(name) != std::string::npos) continue;
        out += (out.empty() ? "" : "、") + name;
    }
    return out;
}

std::string Trouble(const DHPoint& p, std::string_view breaking, bool code) {
    const std::string name = Held(p.NewPtName, breaking);
    const std::string inCode = code ? Held(p.Code, breaking) : std::string();
    std::string out = name.empty() ? "" : "点名含有" + name;
    if (!inCode.empty()) out += (out.empty() ? "编码含有" : "，编码含有") + inCode;
    return out;
}

bool Writes(const KindFields& k, const DHPoint& p) { return !k.stakesOnly || p.DHType == JStake || p.DHType == ZStake; }

}  // namespace

std::string FieldTrouble(const DHPoint& p, int kind) {
    for (const KindFields& k : kKinds)
        if (k.kind == kind) return Writes(k, p) ? Trouble(p, k.breaking, k.code) : std::string();
    return {};
}

std::vector<int> KindsBrokenBy(const DHPoint& p, std::string& trouble) {
    std::vector<int> kinds;
    trouble.clear();
    if (Trouble(p, kAnyKind, true).empty()) return kinds;  // the usual case, cheaply
    for (const KindFields& k : kKinds)
        if (Writes(k, p) && !Trouble(p, k.breaking, k.code).empty()) kinds.push_back(k.kind);
    if (!kinds.empty()) trouble = Trouble(p, kAnyKind, true);
    return kinds;
}

}  // namespace linvara::output
