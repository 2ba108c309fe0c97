// The styles every installation has: CASS coordinate files, a header row
// read by its names, and our own coordinate-list result kinds.
#include <vector>

#include "import/import_style.h"
#include "output/coordinate_layouts.h"
#include "output/result_kinds.h"

namespace linvara::import {
namespace {

using C = Column;

ImportStyle Make(std::string name, std::vector<Column> columns, Delimiter delimiter, Encoding encoding) {
    ImportStyle style;
    style.name = std::move(name);
    style.columns = std::move(columns);
    style.delimiter = delimiter;
    style.encoding = encoding;
    return style;
}

Column ColumnOf(output::CoordinateField field) {
    switch (field) {
        case output::CoordinateField::Pn: return C::Name;
        case output::CoordinateField::Pc: return C::Code;
        case output::CoordinateField::X: return C::North;
        case output::CoordinateField::Y: return C::East;
        case output::CoordinateField::H: return C::Height;
    }
    return C::Skip;
}

// The coordinate-list kinds in kind order, read as they are written; the
// "-sp" kinds keep an empty code as two spaces in a row, so they split on
// single spaces. We write them in GB18030. The numbered dat kind has no
// column for its number, and the stake-only kinds share the layouts of 0 and 2.
std::vector<ImportStyle> ResultKindStyles() {
    std::vector<ImportStyle> styles;
    for (const ResultKindInfo& info : ResultKinds()) {
        const output::CoordinateLayout* layout = output::FindCoordinateLayout(info.kind);
        if (!layout || layout->numbered || layout->stakesOnly) continue;
        std::vector<Column> columns;
        for (output::CoordinateField field : layout->fields) columns.push_back(ColumnOf(field));
        const Delimiter delimiter = layout->separator == ' ' ? Delimiter::SingleSpace : Delimiter::Comma;
        styles.push_back(Make(info.shortName, std::move(columns), delimiter, Encoding::Gb18030));
    }
    return styles;
}

std::vector<ImportStyle> MakeBuiltIns() {
    std::vector<ImportStyle> styles;
    // CASS: 点号,编码,东坐标,北坐标,高程
    styles.push_back(Make("cass", {C::Name, C::Code, C::East, C::North, C::Height}, Delimiter::Comma, Encoding::Auto));
    styles.push_back(Make("header", {}, Delimiter::Auto, Encoding::Auto));
    for (ImportStyle& s : ResultKindStyles()) styles.push_back(std::move(s));
    return styles;
}

}  // namespace

std::span<const ImportStyle> BuiltInStyles() {
    static const std::vector<ImportStyle> styles = MakeBuiltIns();
    return styles;
}

const ImportStyle* FindBuiltInStyle(std::string_view name) {
    for (const ImportStyle& style : BuiltInStyles())
        if (style.name == name) return &style;
    return nullptr;
}

}  // namespace linvara::import
