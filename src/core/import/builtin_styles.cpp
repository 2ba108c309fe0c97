// The styles every installation has: CASS coordinate files, a header row
// read by its names, and our own coordinate-list result kinds 0-5.
#include <vector>

#include "import/import_style.h"
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

// Result kinds 0-5 in kind order; the "-sp" kinds keep an empty code as two
// spaces in a row, so they split on single spaces. We write them in GB18030.
std::vector<ImportStyle> ResultKindStyles() {
    const std::vector<Column> layouts[] = {
        {C::Name, C::Code, C::East, C::North, C::Height},
        {C::Name, C::Code, C::North, C::East, C::Height},
        {C::Name, C::North, C::East, C::Height, C::Code},
    };
    std::vector<ImportStyle> styles;
    for (const ResultKindInfo& info : ResultKinds()) {
        if (info.kind > 5) break;
        const bool spaced = info.kind % 2 == 1;
        styles.push_back(Make(info.shortName, layouts[info.kind / 2], spaced ? Delimiter::SingleSpace : Delimiter::Comma,
                              Encoding::Gb18030));
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
