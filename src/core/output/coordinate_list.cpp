#include <array>

#include "output/result_text.h"

namespace linvara::output {
namespace {

enum class Field { Pn, Pc, X, Y, H };

// The line layout of one coordinate-list kind.
struct Layout {
    int kind;
    char separator;
    std::array<Field, 5> fields;
    bool numbered;    // "n," in front (Weiyuan dat)
    bool stakesOnly;  // only J and Z stakes
};

constexpr Layout kLayouts[] = {
    {0, ',', {Field::Pn, Field::Pc, Field::Y, Field::X, Field::H}, false, false},
    {1, ' ', {Field::Pn, Field::Pc, Field::Y, Field::X, Field::H}, false, false},
    {2, ',', {Field::Pn, Field::Pc, Field::X, Field::Y, Field::H}, false, false},
    {3, ' ', {Field::Pn, Field::Pc, Field::X, Field::Y, Field::H}, false, false},
    {4, ',', {Field::Pn, Field::X, Field::Y, Field::H, Field::Pc}, false, false},
    {5, ' ', {Field::Pn, Field::X, Field::Y, Field::H, Field::Pc}, false, false},
    {7, ',', {Field::Pn, Field::Pc, Field::Y, Field::X, Field::H}, true, false},
    {9, ',', {Field::Pn, Field::Pc, Field::X, Field::Y, Field::H}, false, true},
    {10, ',', {Field::Pn, Field::Pc, Field::Y, Field::X, Field::H}, false, true},
};

const Layout* FindLayout(int kind) {
    for (const Layout& layout : kLayouts)
        if (layout.kind == kind) return &layout;
    return nullptr;
}

void AppendField(std::string& out, const DHPoint& p, Field field) {
    switch (field) {
        case Field::Pn: out += p.NewPtName; break;
        case Field::Pc: out += p.Code; break;
        case Field::X: AppendFixed(out, p.Dx, 4); break;
        case Field::Y: AppendFixed(out, p.Dy, 4); break;
        case Field::H: AppendFixed(out, p.Dh, 4); break;
    }
}

bool IsStake(const DHPoint& p) { return p.DHType == JStake || p.DHType == ZStake; }

}  // namespace

std::string BuildCoordinateList(const DHPointList& list, int kind, int& written) {
    written = 0;
    std::string out;
    const Layout* layout = FindLayout(kind);
    if (!layout) return out;
    out.reserve(list.size() * 64);
    for (const DHPoint& p : list) {
        if (layout->stakesOnly && !IsStake(p)) continue;
        ++written;
        if (layout->numbered) {
            out += std::to_string(written);
            out += layout->separator;
        }
        for (size_t i = 0; i < layout->fields.size(); ++i) {
            if (i > 0) out += layout->separator;
            AppendField(out, p, layout->fields[i]);
        }
        out += '\n';
    }
    return out;
}

}  // namespace linvara::output
