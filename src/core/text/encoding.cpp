#include "text/encoding.h"

#ifndef _WIN32
#include <iconv.h>
#endif

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "text/gb18030.h"

namespace linvara::text {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kAnsiCodePage = "GB18030";

std::atomic<const char*> gAnsiCodePage{kAnsiCodePage};

#ifdef _WIN32
// No iconv here: the generated tables convert GB18030, the one code page
// there is; another name fails as a missing converter does.
struct Converter {
    bool toAnsi;
    void Require() const {
        const char* ansi = gAnsiCodePage.load();
        if (std::strcmp(ansi, kAnsiCodePage) == 0) return;
        throw EncodingError(toAnsi ? std::string("无法打开编码转换（UTF-8 → ") + ansi + "）：不支持该编码"
                                   : std::string("无法打开编码转换（") + ansi + " → UTF-8）：不支持该编码");
    }
};

Converter& ToUtf8() {
    static Converter conv{false};
    return conv;
}

Converter& ToAnsi() {
    static Converter conv{true};
    return conv;
}

std::string ConvertToUtf8(std::string_view bytes) {
    ToUtf8().Require();
    return gb18030::ToUtf8(bytes);
}

std::string ConvertToAnsi(std::string_view utf8) {
    ToAnsi().Require();
    return gb18030::FromUtf8(utf8);
}
#else
constexpr std::string_view kReplacementGb = "?";

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One iconv descriptor per direction and thread; iconv_open is costly and
// conversions run per field while seeding large projects. A converter that
// cannot be opened throws EncodingError on every use, never passes text on
// unconverted.
class Converter {
public:
    explicit Converter(bool toAnsi) : toAnsi_(toAnsi) {}
    ~Converter() { Close(); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Opens the converter for the current code page when it is not open.
    void Require() {
        const char* ansi = gAnsiCodePage.load();
        if (ansi != ansi_) {
            Close();
            ansi_ = ansi;
            cd_ = toAnsi_ ? iconv_open(ansi, kUtf8) : iconv_open(kUtf8, ansi);
            openError_ = cd_ == kNoConverter ? errno : 0;
        }
        if (cd_ != kNoConverter) return;
        const std::string from = toAnsi_ ? kUtf8 : ansi_;
        const std::string to = toAnsi_ ? ansi_ : kUtf8;
        throw EncodingError("无法打开编码转换（" + from + " → " + to +
                            "）：" + std::generic_category().message(openError_));
    }

    // Converts input; a byte that cannot be converted is skipped and
    // `replacement` is written in its place.
    std::string Run(std::string_view input, std::string_view replacement) {
        Require();
        std::string out;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        size_t used = 0;
        while (true) {
            char* outPtr = out.data() + used;
            size_t outLeft = out.size() - used;
            size_t rc = iconv(cd_, inLeft ? &in : nullptr, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft;
            if (rc != static_cast<size_t>(-1)) {
                if (inLeft == 0) break;
                continue;
            }
            if (errno == E2BIG) {
                out.resize(out.size() * 2 + 16);
            } else {  // EILSEQ or EINVAL: skip one byte, mark it
                out.resize(used);
                out.append(replacement);
                used = out.size();
                out.resize(used + inLeft * 2 + 16);
                ++in;
                --inLeft;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                if (inLeft == 0) break;
            }
        }
        out.resize(used);
        // A short text goes back into the string itself: a point's code or
        // name, a million of them, then holds no block on the heap.
        if (used < 16) out.shrink_to_fit();
        return out;
    }

private:
    void Close() {
        if (cd_ != kNoConverter) iconv_close(cd_);
        cd_ = kNoConverter;
        ansi_ = nullptr;
    }

    const bool toAnsi_;
    const char* ansi_ = nullptr;  // the code page cd_ was opened for
    iconv_t cd_ = kNoConverter;
    int openError_ = 0;
};

Converter& ToUtf8() {
    thread_local Converter conv(false);
    return conv;
}

Converter& ToAnsi() {
    thread_local Converter conv(true);
    return conv;
}

std::string ConvertToUtf8(std::string_view bytes) { return ToUtf8().Run(bytes, kReplacementUtf8); }
std::string ConvertToAnsi(std::string_view utf8) { return ToAnsi().Run(utf8, kReplacementGb); }
#endif

}  // namespace

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    return ConvertToUtf8(bytes);
}

std::string Utf8ToGb18030(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    return ConvertToAnsi(SanitizeUtf8(utf8));
}

void RequireAnsiConverters() {
    ToUtf8().Require();
    ToAnsi().Require();
}

void SetAnsiCodePageForTesting(const char* name) { gAnsiCodePage.store(name ? name : kAnsiCodePage); }

// Valid runs are copied whole: texts of many megabytes pass through here.
std::string SanitizeUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    size_t runStart = 0;
    const size_t n = bytes.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        bool ok = len > 0 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k)
            ok = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (ok) {
            // Reject overlong forms, surrogates and values above U+10FFFF.
            unsigned cp = c & (0xFF >> (len + 1));
            for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
            static constexpr unsigned kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
            ok = cp >= kMin[len] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        }
        if (ok) {
            i += len;
        } else {
            out.append(bytes.substr(runStart, i - runStart));
            out.append(kReplacementUtf8);
            runStart = ++i;
        }
    }
    out.append(bytes.substr(runStart));
    return out;
}

}  // namespace linvara::text

namespace linvara::text {
std::string LfToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 16);
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            out.append(text.substr(start, i - start));
            out.append("\r\n");
            start = i + 1;
        }
    }
    out.append(text.substr(start));
    return out;
}

std::string ToGbkTextFile(std::string_view utf8WithLf) { return LfToCrLf(Utf8ToGb18030(utf8WithLf)); }
}  // namespace linvara::text
