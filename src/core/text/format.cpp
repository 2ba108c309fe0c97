#include "text/format.h"

#include <locale.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace linvara::text {

#ifdef _WIN32
// The Windows runtime has no uselocale/strtod_l: the scope gives the thread
// a locale of its own set to "C" (only when it is not "C" already), and
// numbers are read with from_chars, which knows no locale.
namespace {
struct SavedLocale {
    int threadMode;
    std::string numeric;
};

bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What strtod reads in the "C" locale: white space, a sign, then a decimal
// or hexadecimal number, inf or nan. `used` is 0 when there is no number.
double ReadCNumber(std::string_view text, std::size_t& used) {
    used = 0;
    std::size_t i = 0;
    while (i < text.size() && IsAsciiSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] == '+' || text[i] == '-') return 0;
    const char* begin = text.data() + i;
    const char* end = text.data() + text.size();
    double value = 0;
    std::from_chars_result r{begin, std::errc::invalid_argument};
    if (end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X') && begin[2] != '-' && begin[2] != '+') {
        r = std::from_chars(begin + 2, end, value, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument) r = {begin + 1, std::errc()};  // "0x" alone is the 0
    }
    if (r.ec == std::errc::invalid_argument) r = std::from_chars(begin, end, value, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return 0;
    if (r.ec == std::errc::result_out_of_range) value = std::strtod(std::string(begin, r.ptr).c_str(), nullptr);
    used = static_cast<std::size_t>(r.ptr - text.data());
    return negative ? -value : value;
}
}  // namespace

CLocaleScope::CLocaleScope() : previous_(nullptr) {
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric == nullptr || std::strcmp(numeric, "C") == 0) return;
    auto* saved = new SavedLocale{_configthreadlocale(_ENABLE_PER_THREAD_LOCALE), numeric};
    std::setlocale(LC_NUMERIC, "C");
    previous_ = saved;
}

CLocaleScope::~CLocaleScope() {
    auto* saved = static_cast<SavedLocale*>(previous_);
    if (saved == nullptr) return;
    std::setlocale(LC_NUMERIC, saved->numeric.c_str());
    _configthreadlocale(saved->threadMode);
    delete saved;
}
#else
namespace {

locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

double ReadCNumber(std::string_view text, std::size_t& used) {
    const std::string s(text);
    char* end = nullptr;
    const double v = strtod_l(s.c_str(), &end, CLocale());
    used = static_cast<std::size_t>(end - s.c_str());
    return v;
}

}  // namespace

CLocaleScope::CLocaleScope() : previous_(uselocale(CLocale())) {}
CLocaleScope::~CLocaleScope() { uselocale(static_cast<locale_t>(previous_)); }
#endif

namespace {

void AppendV(std::string& out, const char* fmt, va_list args) {
    CLocaleScope scope;
    char buffer[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(buffer, sizeof buffer, fmt, copy);
    va_end(copy);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof buffer) {
        out.append(buffer, static_cast<size_t>(n));
        return;
    }
    size_t old = out.size();
    out.resize(old + static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data() + old, static_cast<size_t>(n) + 1, fmt, args);
    out.resize(old + static_cast<size_t>(n));
}

}  // namespace

std::string FormatV(const char* fmt, va_list args) {
    std::string out;
    AppendV(out, fmt, args);
    return out;
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string out = FormatV(fmt, args);
    va_end(args);
    return out;
}

void AppendFormat(std::string& out, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    AppendV(out, fmt, args);
    va_end(args);
}

double ParseLeadingDouble(std::string_view text) {
    std::size_t used = 0;
    const double v = ReadCNumber(text, used);
    return used == 0 ? 0.0 : v;
}

long long ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (value > (LLONG_MAX - digit) / 10) {
            value = LLONG_MAX;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool ParseDouble(std::string_view text, double& value) {
    const std::string s = Trim(text);
    if (s.empty()) return false;
    std::size_t used = 0;
    const double v = ReadCNumber(s, used);
    if (used != s.size()) return false;
    value = v;
    return true;
}

namespace {
// Exact: the text printf prints, read back.
double RoundViaText(double value, int decimals) {
    char buffer[400];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return value;
    double out = value;
    std::from_chars(buffer, res.ptr, out);
    return out;
}

// Saving 100 000 points rounds a million numbers, so the text is skipped
// when the scaled value is clearly off a tie: then the nearest integer k is
// the one printf rounds to, and k / 10^n (both exact, one rounding) is the
// double that reading "k/10^n" back gives. False when that cannot be told.
bool RoundOffTie(double value, int decimals, double& out) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (decimals < 0 || decimals >= static_cast<int>(std::size(kPow10))) return false;
    const double scale = kPow10[decimals];
    const double scaled = value * scale;
    if (!(std::fabs(scaled) < 4503599627370496.0)) return false;  // 2^52: k must be exact
    const double k = std::nearbyint(scaled);
    if (!(std::fabs(std::fma(value, scale, -k)) < 0.49)) return false;
    out = k / scale;
    return true;
}
}  // namespace

double RoundAsPrinted(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    double out = 0;
    if (!RoundOffTie(value, decimals, out)) out = RoundViaText(value, decimals);
    return out == 0 ? std::copysign(0.0, value) : out;
}

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    return std::string(text.substr(b, e - b));
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace linvara::text
