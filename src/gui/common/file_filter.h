#pragma once
#include <QString>
#include <string_view>

namespace linvara::gui {

// Turns a "text|pattern|text|pattern||" filter into Qt's
// "text (patterns);;text (patterns)". A text that already ends with its
// pattern in brackets does not repeat it; ";" between patterns becomes a
// blank; every pattern is also offered in lower and upper case.
QString QtFileFilter(std::string_view windowsFilter);

}  // namespace linvara::gui
