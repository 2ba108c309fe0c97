#pragma once
#include <string>
#include <string_view>

namespace linvara::gui {

// The about box's build date: the compiler's date text ("Jun  5 2021") as
// "year-month-day" without leading zeros ("2021-6-5"); empty when the text is
// shorter than 11 characters.
std::string BuildDateText(std::string_view compilerDate);

}  // namespace linvara::gui
