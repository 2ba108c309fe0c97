// Writes src/core/text/gb18030_tables.inc: the GB18030 <-> Unicode mapping of
// this system's iconv (glibc), for builds without iconv (Windows). Run on
// Linux after a glibc change and commit the result:
//   c++ -std=c++20 -O2 tools/make_gb18030_tables.cpp -o /tmp/gbt && /tmp/gbt > src/core/text/gb18030_tables.inc
// Every code and every code point is checked again by tests/text.
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

iconv_t gToUtf32, gFromUtf32;

// The code points iconv decodes `bytes` to as a whole; empty when it refuses them.
std::vector<char32_t> Decode(const std::string& bytes) {
    iconv(gToUtf32, nullptr, nullptr, nullptr, nullptr);
    char32_t out[8];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size(), outLeft = sizeof out;
    char* o = reinterpret_cast<char*>(out);
    if (iconv(gToUtf32, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return {};
    return std::vector<char32_t>(out, out + (sizeof out - outLeft) / 4);
}

// The GB18030 bytes of one code point; empty when iconv cannot encode it.
std::string Encode(char32_t cp) {
    iconv(gFromUtf32, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = reinterpret_cast<char*>(&cp);
    size_t inLeft = 4, outLeft = sizeof out;
    char* o = out;
    if (iconv(gFromUtf32, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) return {};
    return std::string(out, sizeof out - outLeft);
}

[[noreturn]] void Die(const char* what, unsigned value) {
    std::fprintf(stderr, "make_gb18030_tables: %s (0x%X)\n", what, value);
    std::exit(1);
}

std::uint32_t Packed(const std::string& bytes) {
    std::uint32_t v = 0;
    for (unsigned char b : bytes) v = v << 8 | b;
    return v;
}

}  // namespace

int main() {
    gToUtf32 = iconv_open("UTF-32LE", "GB18030");
    gFromUtf32 = iconv_open("GB18030", "UTF-32LE");
    if (gToUtf32 == reinterpret_cast<iconv_t>(-1) || gFromUtf32 == reinterpret_cast<iconv_t>(-1))
        Die("iconv has no GB18030", 0);

    for (unsigned b = 0x80; b <= 0xFF; ++b)
        if (!Decode(std::string(1, static_cast<char>(b))).empty()) Die("a single high byte decodes", b);

    // Two-byte codes: lead 0x81..0xFE, trail 0x40..0xFE.
    std::vector<std::uint32_t> two(126 * 191, 0);
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::vector<char32_t> cps = Decode(bytes);
            if (cps.empty()) continue;
            if (cps.size() != 1 || cps[0] == 0) Die("a two-byte code is no single character", lead << 8 | trail);
            if (trail < 0x40 || trail > 0xFE) Die("a two-byte code has an unexpected trail byte", lead << 8 | trail);
            two[(lead - 0x81) * 191 + (trail - 0x40)] = static_cast<std::uint32_t>(cps[0]);
        }

    // Four-byte codes by their linear number, as runs of consecutive code points.
    struct Run { std::uint32_t linear, codePoint, count; };
    std::vector<Run> runs;
    for (std::uint32_t linear = 0; linear < 126u * 10 * 126 * 10; ++linear) {
        const unsigned b1 = 0x81 + linear / 12600, b2 = 0x30 + linear / 1260 % 10, b3 = 0x81 + linear / 10 % 126,
                       b4 = 0x30 + linear % 10;
        const std::string bytes{static_cast<char>(b1), static_cast<char>(b2), static_cast<char>(b3), static_cast<char>(b4)};
        const std::vector<char32_t> cps = Decode(bytes);
        if (cps.empty()) continue;
        if (cps.size() != 1 || cps[0] == 0) Die("a four-byte code is no single character", linear);
        if (!runs.empty() && runs.back().linear + runs.back().count == linear &&
            runs.back().codePoint + runs.back().count == cps[0])
            ++runs.back().count;
        else
            runs.push_back({linear, static_cast<std::uint32_t>(cps[0]), 1});
    }

    // Encoding: the first code that decodes to a code point, unless iconv
    // chooses otherwise or refuses it; those are listed.
    std::map<std::uint32_t, std::uint32_t> reverse;
    for (unsigned i = 0; i < two.size(); ++i)
        if (two[i] != 0) reverse.emplace(two[i], (0x81 + i / 191) << 8 | (0x40 + i % 191));
    for (const Run& r : runs)
        for (std::uint32_t k = 0; k < r.count; ++k) {
            const std::uint32_t l = r.linear + k;
            reverse.emplace(r.codePoint + k,
                            (0x81 + l / 12600) << 24 | (0x30 + l / 1260 % 10) << 16 | (0x81 + l / 10 % 126) << 8 | (0x30 + l % 10));
        }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> overrides;  // code point -> packed bytes, 0 = refused
    for (std::uint32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const std::string bytes = Encode(cp);
        const std::uint32_t want = bytes.empty() ? 0 : Packed(bytes);
        const auto found = reverse.find(cp);
        const std::uint32_t derived = found == reverse.end() ? 0 : found->second;
        if (want != derived) overrides.emplace_back(cp, want);
    }

    std::printf("// Generated by tools/make_gb18030_tables.cpp from glibc's GB18030 converter. Do not edit.\n");
    std::printf("// Two-byte codes: lead 0x81..0xFE, trail 0x40..0xFE; 0 = no character.\n");
    std::printf("constexpr std::uint32_t kTwoByte[%zu] = {", two.size());
    for (size_t i = 0; i < two.size(); ++i) std::printf("%s%u,", i % 16 == 0 ? "\n" : "", two[i]);
    std::printf("\n};\n\n// Four-byte codes: {linear number, first code point, count}.\n");
    std::printf("constexpr FourByteRun kFourByte[%zu] = {\n", runs.size());
    for (const Run& r : runs) std::printf("{%u,0x%X,%u},\n", r.linear, r.codePoint, r.count);
    std::printf("};\n\n// Code points whose code is not the first that decodes to them: {code point, code bytes, 0 = none}.\n");
    std::printf("constexpr EncodeOverride kEncodeOverrides[%zu] = {\n", overrides.size() + 1);
    for (const auto& [cp, bytes] : overrides) std::printf("{0x%X,0x%X},\n", cp, bytes);
    std::printf("{0x110000,0},\n};\n");
    return 0;
}
