#pragma once
#include "text/encoding.h"

namespace linvara::testing {

// While it lives, converting to or from the ANSI code page fails as on a
// system whose iconv lacks GB18030.
class MissingCodePage {
public:
    static constexpr const char* kName = "LINVARA-NO-SUCH-CODE-PAGE";
    MissingCodePage() { text::SetAnsiCodePageForTesting(kName); }
    ~MissingCodePage() { text::SetAnsiCodePageForTesting(nullptr); }
    MissingCodePage(const MissingCodePage&) = delete;
    MissingCodePage& operator=(const MissingCodePage&) = delete;
};

}  // namespace linvara::testing
