#pragma once
#include <span>
#include <string>

namespace linvara {

// One row of a code table: the code the design package understands and its
// display name.
struct CodeName {
    int code;
    const char* name;
};

// The fixed code tables, in display order (a drop-down list's position is the
// row's index).
std::span<const CodeName> PoleTypeTable();        // 41 rows, PoleType, codes 1..41
std::span<const CodeName> CrossingObjectTable();  // 48 rows, LXCode
std::span<const CodeName> PointCodeTable();       // 81 rows, ObjectCode
std::span<const CodeName> FeatureClassTable();    // 44 rows, GLCode

// "%d--%s" of the pole type; empty for 0 or an unknown code.
std::string PoleTypeText(int code);
// "%s(%d)" of the first row holding `code`; empty for 0 or an unknown code.
std::string CodeText(std::span<const CodeName> table, int code);
// Display form of a row in a drop-down list: PoleTypeTable uses "%d--%s",
// the other tables "%s(%d)". Unlike the lookups, code 0 is shown too.
std::string PoleTypeRowText(const CodeName& row);
std::string CodeRowText(const CodeName& row);
// Index of the first row whose code equals `code`, or -1.
int IndexOfCode(std::span<const CodeName> table, int code);

}  // namespace linvara
