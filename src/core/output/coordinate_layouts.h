#pragma once
// The line layouts of the coordinate-list result kinds: the fields of a line
// in their order and what separates them. The writer builds its lines from
// them, and the import's built-in styles read the same files back, so a kind
// is declared here once for both.
#include <array>

namespace linvara::output {

// X is the north coordinate (Dx), Y the east one (Dy), as surveyors name them.
enum class CoordinateField { Pn, Pc, X, Y, H };

struct CoordinateLayout {
    int kind;
    char separator;   // ',' or ' ': with spaces an empty code stays as two in a row
    std::array<CoordinateField, 5> fields;
    bool numbered;    // "n," in front (Weiyuan dat)
    bool stakesOnly;  // only J and Z stakes
};

namespace layout_rows {
using enum CoordinateField;
inline constexpr CoordinateLayout kRows[] = {
    {0, ',', {Pn, Pc, Y, X, H}, false, false},
    {1, ' ', {Pn, Pc, Y, X, H}, false, false},
    {2, ',', {Pn, Pc, X, Y, H}, false, false},
    {3, ' ', {Pn, Pc, X, Y, H}, false, false},
    {4, ',', {Pn, X, Y, H, Pc}, false, false},
    {5, ' ', {Pn, X, Y, H, Pc}, false, false},
    {7, ',', {Pn, Pc, Y, X, H}, true, false},
    {9, ',', {Pn, Pc, X, Y, H}, false, true},
    {10, ',', {Pn, Pc, Y, X, H}, false, true},
};
}  // namespace layout_rows
inline constexpr const auto& kCoordinateLayouts = layout_rows::kRows;

// The layout of `kind`, or null for a kind that is no coordinate list.
constexpr const CoordinateLayout* FindCoordinateLayout(int kind) {
    for (const CoordinateLayout& layout : kCoordinateLayouts)
        if (layout.kind == kind) return &layout;
    return nullptr;
}

}  // namespace linvara::output
