#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace linvara {

// The TOW line checksum: a CRC (constant 0xEDB88480, no inversions) over
// the low 8 bits of each UTF-16 code unit of the line.
class KestrelCrc {
public:
    virtual ~KestrelCrc() = default;
    static uint32_t Checksum(std::string_view utf8Line);
    // "*" + printf("%8lx") upper-cased, e.g. "abc" -> "*38D43940".
    std::string GetCheckText(std::string_view utf8Line) const;
    // The same, appended to `out`.
    void AppendCheckText(std::string& out, std::string_view utf8Line) const;
};

}  // namespace linvara
