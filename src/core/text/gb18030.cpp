#include "text/gb18030.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <mutex>
#include <utility>
#include <vector>

namespace linvara::text::gb18030 {
namespace {

struct FourByteRun {
    std::uint32_t linear, codePoint, count;
};
struct EncodeOverride {
    std::uint32_t codePoint, bytes;
};

#include "text/gb18030_tables.inc"

constexpr std::uint32_t kTrailCount = 191;  // 0x40..0xFE
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::uint32_t FourByteCodePoint(std::uint32_t linear) {
    const auto* run = std::upper_bound(std::begin(kFourByte), std::end(kFourByte), linear,
                                       [](std::uint32_t l, const FourByteRun& r) { return l < r.linear; });
    if (run == std::begin(kFourByte)) return 0;
    --run;
    return linear - run->linear < run->count ? run->codePoint + (linear - run->linear) : 0;
}

std::uint32_t PackFourByte(std::uint32_t linear) {
    return (0x81 + linear / 12600) << 24 | (0x30 + linear / 1260 % 10) << 16 | (0x81 + linear / 10 % 126) << 8 |
           (0x30 + linear % 10);
}

// Code point -> packed code bytes (0: none), the first code that decodes to
// it as the generator checked against iconv.
class EncodeTable {
public:
    EncodeTable() : bmp_(0x10000, 0) {
        for (std::uint32_t i = 0; i < std::size(kTwoByte); ++i)
            if (kTwoByte[i] != 0) Add(kTwoByte[i], (0x81 + i / kTrailCount) << 8 | (0x40 + i % kTrailCount));
        for (const FourByteRun& r : kFourByte)
            for (std::uint32_t k = 0; k < r.count && r.codePoint + k < 0x10000; ++k)
                Add(r.codePoint + k, PackFourByte(r.linear + k));
        for (const FourByteRun& r : kFourByte)
            if (r.codePoint + r.count > 0x10000) upperRuns_.push_back(r);
        std::sort(upper_.begin(), upper_.end());
        upper_.erase(std::unique(upper_.begin(), upper_.end(),
                                 [](const auto& a, const auto& b) { return a.first == b.first; }),
                     upper_.end());
        for (const EncodeOverride& o : kEncodeOverrides)
            if (o.codePoint < 0x110000) overrides_.emplace_back(o.codePoint, o.bytes);
    }

    std::uint32_t Find(std::uint32_t cp) const {
        for (const auto& [codePoint, bytes] : overrides_)
            if (codePoint == cp) return bytes;
        if (cp < 0x10000) return bmp_[cp];
        const auto it = std::lower_bound(upper_.begin(), upper_.end(), std::pair<std::uint32_t, std::uint32_t>(cp, 0));
        if (it != upper_.end() && it->first == cp) return it->second;
        for (const FourByteRun& r : upperRuns_)
            if (cp >= r.codePoint && cp - r.codePoint < r.count) return PackFourByte(r.linear + (cp - r.codePoint));
        return 0;
    }

private:
    void Add(std::uint32_t cp, std::uint32_t bytes) {
        if (cp < 0x10000) {
            if (bmp_[cp] == 0) bmp_[cp] = bytes;
        } else {
            upper_.emplace_back(cp, bytes);  // sorted by code point, then code: a two-byte code comes first
        }
    }

    std::vector<std::uint32_t> bmp_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> upper_;
    std::vector<FourByteRun> upperRuns_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> overrides_;
};

const EncodeTable& Encoder() {
    static const EncodeTable table;
    return table;
}

bool InRange(unsigned char b, unsigned char low, unsigned char high) { return b >= low && b <= high; }

}  // namespace

std::uint32_t CodeOf(char32_t codePoint) { return Encoder().Find(codePoint); }

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 4);
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    while (i < n) {
        const unsigned char b1 = at(i);
        if (b1 < 0x80) {
            out += static_cast<char>(b1);
            ++i;
            continue;
        }
        std::uint32_t cp = 0;
        std::size_t length = 0;
        if (InRange(b1, 0x81, 0xFE) && i + 1 < n) {
            const unsigned char b2 = at(i + 1);
            if (InRange(b2, 0x40, 0xFE)) {
                cp = kTwoByte[(b1 - 0x81) * kTrailCount + (b2 - 0x40)];
                length = 2;
            } else if (InRange(b2, 0x30, 0x39) && i + 3 < n && InRange(at(i + 2), 0x81, 0xFE) &&
                       InRange(at(i + 3), 0x30, 0x39)) {
                cp = FourByteCodePoint(((b1 - 0x81u) * 10 + (b2 - 0x30u)) * 1260 + (at(i + 2) - 0x81u) * 10 +
                                       (at(i + 3) - 0x30u));
                length = 4;
            }
        }
        if (cp != 0) {
            AppendUtf8(out, cp);
            i += length;
        } else {
            out.append(kReplacementUtf8);
            ++i;
        }
    }
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    const EncodeTable& table = Encoder();
    std::string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        std::uint32_t cp = c & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const std::uint32_t bytes = table.Find(cp);
        if (bytes == 0) {
            out.append(length, '?');
        } else if (bytes > 0xFFFF) {
            out += static_cast<char>(bytes >> 24);
            out += static_cast<char>(bytes >> 16 & 0xFF);
            out += static_cast<char>(bytes >> 8 & 0xFF);
            out += static_cast<char>(bytes & 0xFF);
        } else {
            out += static_cast<char>(bytes >> 8);
            out += static_cast<char>(bytes & 0xFF);
        }
        i += length;
    }
    return out;
}

}  // namespace linvara::text::gb18030
