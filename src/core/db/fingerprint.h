#pragma once
// A 64-bit fingerprint of stored values, eight bytes at a time. Each value
// carries its storage type and length, so different rows never run together
// into the same stream.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/encoding.h"

namespace linvara::db {

class Fingerprint {
public:
    void Add(int type, const void* data, std::size_t size) {
        Mix(static_cast<std::uint64_t>(type) | (static_cast<std::uint64_t>(size) << 8));
        const auto* p = static_cast<const unsigned char*>(data);
        for (; size >= 8; p += 8, size -= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            Mix(word);
        }
        if (size > 0) {
            std::uint64_t tail = 0;
            std::memcpy(&tail, p, size);
            Mix(tail);
        }
    }
    void AddText(int type, std::string_view bytes) { Add(type, bytes.data(), bytes.size()); }
    // A text as the working tables store it: GB18030, ASCII as it is.
    void AddStoredText(int type, std::string_view utf8) {
        if (text::IsAscii(utf8))
            AddText(type, utf8);
        else
            AddText(type, text::Utf8ToGb18030(utf8));
    }
    std::uint64_t Value() const { return h_; }

private:
    void Mix(std::uint64_t word) {
        std::uint64_t z = (h_ ^ word) * 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 29)) * 0xbf58476d1ce4e5b9ULL;
        h_ = z ^ (z >> 32);
    }
    std::uint64_t h_ = 0x243f6a8885a308d3ULL;
};

}  // namespace linvara::db
