#include "text/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace linvara::text {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementGb = "?";

// One iconv descriptor per direction and thread; iconv_open is costly and
// conversions run per field while seeding large projects.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input; a byte that cannot be converted is skipped and
    // `replacement` is written in its place.
    std::string Run(std::string_view input, std::string_view replacement) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::string(input);
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
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    thread_local Converter conv("UTF-8", "GB18030");
    return conv.Run(bytes, kReplacementUtf8);
}

std::string Utf8ToGb18030(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local Converter conv("GB18030", "UTF-8");
    return conv.Run(SanitizeUtf8(utf8), kReplacementGb);
}

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
