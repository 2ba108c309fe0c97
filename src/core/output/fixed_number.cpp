#include <charconv>

#include "output/result_text.h"
#include "text/format.h"

namespace linvara::output {

// std::to_chars prints exactly what printf("%.*f") prints in the "C" locale,
// without a locale switch per number: the writers print millions of them.
void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[64];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (res.ec == std::errc()) out.append(buffer, res.ptr);
    else text::AppendFormat(out, "%.*f", decimals, value);  // beyond 1e50 or so
}

}  // namespace linvara::output
