#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

// printf checking of format strings; MinGW's plain `printf` would check
// them against the Microsoft runtime's (no %zu, no %lld), not the C99
// formatting we get there.
#if defined(__MINGW32__)
#define LINVARA_PRINTF(fmt, first) __attribute__((format(gnu_printf, fmt, first)))
#else
#define LINVARA_PRINTF(fmt, first) __attribute__((format(printf, fmt, first)))
#endif

namespace linvara::text {

// Switches this thread to the "C" locale for its lifetime, for libraries
// that format numbers with the process locale.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    void* previous_;  // the thread's locale before (Windows: null when it was "C" already)
};

// printf-style formatting that always uses the "C" locale: a Qt application
// sets the process locale, and "%.4f" must never print a comma.
std::string Format(const char* fmt, ...) LINVARA_PRINTF(1, 2);
std::string FormatV(const char* fmt, va_list args);

// Appends to `out` instead of returning a new string (hot loops of the writers).
void AppendFormat(std::string& out, const char* fmt, ...) LINVARA_PRINTF(2, 3);

// The longest valid leading decimal number of `text` (leading white space
// skipped), as strtod would read it in the "C" locale; 0 when there is none.
double ParseLeadingDouble(std::string_view text);
// The leading base-10 integer (white space skipped, optional sign); 0 when
// there are no digits. Saturates instead of overflowing.
long long ParseLeadingInt(std::string_view text);
// Parses the whole text (surrounding white space allowed) as a number.
bool ParseDouble(std::string_view text, double& value);

// The value that printf("%.Nf") would print, read back: numbers are stored
// as the value their stated format prints.
double RoundAsPrinted(double value, int decimals);

// White space trimmed at both ends.
std::string Trim(std::string_view text);

// ASCII letters in lower case, whatever the locale; other bytes kept.
std::string AsciiLower(std::string_view text);

}  // namespace linvara::text
