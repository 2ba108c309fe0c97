#pragma once
// Reading the data lines of a point file in a style: every line either gives
// one point or is reported with its number and reason; nothing is guessed.
#include <string>
#include <string_view>
#include <vector>

#include "import/import_style.h"

namespace linvara {
class GaussKruger;
}

namespace linvara::import {

struct ImportedPoint {
    std::string name, code;
    int kind = 2;      // DHType
    int feature = 0;   // LinkCode for kind 3, GouType otherwise
    double north = 0, east = 0, height = 0;
    double latitude = 0, longitude = 0;
    int line = 0;      // where the file gives it, counted from 1
};

struct BadLine {
    int line = 0;
    std::string reason;
};

struct ReadPoints {
    std::vector<ImportedPoint> points;
    std::vector<BadLine> bad;     // in line order
    std::string failure;          // the file as a whole cannot be read (no usable header row, ...)
    bool looksSwapped = false;    // x holds east coordinates and y north ones (the failure says so)
    int zonePrefix = 0;           // the zone number taken off east coordinates, 0 when none was
    std::size_t zonePrefixed = 0; // how many points carried it
};

// Reads UTF-8 text. `projection` converts between x/y and B/L where the file
// holds only one of them; without it B/L stay 0, and a file with only B/L fails.
// `swapXY` reads the x column as east and the y column as north. Zone numbers
// in front of east coordinates are taken off (import/zone_prefix.h); a file
// whose x and y look exchanged fails unless `swapXY`.
ReadPoints ReadPointText(std::string_view text, const ImportStyle& style, const GaussKruger* projection,
                         bool swapXY = false);

// The columns a header row names (点名/点号/name, 编码/代码/code, X/北/北坐标/N/north,
// Y/东/东坐标/E/east, H/高程/Z/height, B/纬度/lat, L/经度/lon, in any case);
// other headings are skipped.
std::vector<Column> ColumnsFromHeader(const std::vector<std::string_view>& headings);

}  // namespace linvara::import
