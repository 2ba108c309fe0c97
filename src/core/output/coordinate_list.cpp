#include "output/coordinate_layouts.h"
#include "output/result_text.h"

namespace linvara::output {
namespace {

void AppendField(std::string& out, const DHPoint& p, CoordinateField field) {
    switch (field) {
        case CoordinateField::Pn: out += p.NewPtName; break;
        case CoordinateField::Pc: out += p.Code; break;
        case CoordinateField::X: AppendFixed(out, p.Dx, 4); break;
        case CoordinateField::Y: AppendFixed(out, p.Dy, 4); break;
        case CoordinateField::H: AppendFixed(out, p.Dh, 4); break;
    }
}

bool IsStake(const DHPoint& p) { return p.DHType == JStake || p.DHType == ZStake; }

}  // namespace

std::string BuildCoordinateList(const DHPointList& list, int kind, int& written) {
    written = 0;
    std::string out;
    const CoordinateLayout* layout = FindCoordinateLayout(kind);
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
