#include "output/stake_icon.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string_view>
#include <vector>

namespace linvara::output {
namespace {

constexpr int kSize = 64;
constexpr double kOuterRadius = 26;
constexpr double kInnerRadius = 15;
constexpr std::uint8_t kRed[3] = {0xE0, 0x10, 0x10};
constexpr int kSamples = 4;  // per axis and pixel, for smooth edges

void AppendBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift & 0xFF);
}

// One PNG chunk: length, type, data and the CRC of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out += type;
    out += data;
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
    AppendBigEndian(out, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(out.size() - start))));
}

// How much of the pixel at (x, y) the ring covers, 0..1.
double Coverage(int x, int y) {
    const double centre = kSize / 2.0;
    int inside = 0;
    for (int i = 0; i < kSamples; ++i)
        for (int j = 0; j < kSamples; ++j) {
            const double dx = x + (i + 0.5) / kSamples - centre;
            const double dy = y + (j + 0.5) / kSamples - centre;
            const double r = std::sqrt(dx * dx + dy * dy);
            inside += r <= kOuterRadius && r >= kInnerRadius ? 1 : 0;
        }
    return static_cast<double>(inside) / (kSamples * kSamples);
}

// The image rows, each after its filter byte (0: none), RGBA.
std::string Scanlines() {
    std::string rows;
    rows.reserve(kSize * (1 + kSize * 4));
    for (int y = 0; y < kSize; ++y) {
        rows += '\0';
        for (int x = 0; x < kSize; ++x) {
            for (std::uint8_t c : kRed) rows += static_cast<char>(c);
            rows += static_cast<char>(std::lround(Coverage(x, y) * 255));
        }
    }
    return rows;
}

std::string Deflate(const std::string& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Bytef> packed(size);
    // With a buffer of compressBound's size only memory can run out.
    if (compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::bad_alloc();
    return std::string(reinterpret_cast<const char*>(packed.data()), size);
}

}  // namespace

std::string StakeIconPng() {
    std::string header;
    AppendBigEndian(header, kSize);
    AppendBigEndian(header, kSize);
    header += std::string_view("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, filter set 0, not interlaced
    std::string png = "\x89PNG\r\n\x1A\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", Deflate(Scanlines()));
    AppendChunk(png, "IEND", {});
    return png;
}

}  // namespace linvara::output
