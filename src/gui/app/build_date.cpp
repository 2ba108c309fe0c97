#include "app/build_date.h"

#include "text/format.h"

namespace linvara::gui {
namespace {

// Only the third letter decides, with the first or second letter where two
// months share it (Jan/Jun, Mar/Apr).
int MonthOf(std::string_view abbreviation) {
    switch (abbreviation[2]) {
        case 'b': return 2;
        case 'c': return 12;
        case 'g': return 8;
        case 'l': return 7;
        case 'n': return abbreviation[1] == 'a' ? 1 : 6;
        case 'p': return 9;
        case 'r': return abbreviation[0] == 'M' ? 3 : 4;
        case 't': return 10;
        case 'v': return 11;
        case 'y': return 5;
        default: return 1;
    }
}

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

std::string BuildDateText(std::string_view compilerDate) {
    if (compilerDate.size() < 11) return {};
    const int year = static_cast<int>(text::ParseLeadingInt(compilerDate.substr(7, 4)));
    const int day = DigitValue(compilerDate[4]) * 10 + DigitValue(compilerDate[5]);
    return text::Format("%d-%d-%d", year, MonthOf(compilerDate), day);
}

}  // namespace linvara::gui
