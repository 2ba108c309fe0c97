#pragma once
// Importing a text file of points into a new project file: the operation the
// command line's `import` and the desktop's import dialog call.
#include <optional>
#include <string>
#include <vector>

#include "import/gauss_kruger.h"
#include "import/import_style.h"
#include "status.h"

namespace linvara::import {

struct ImportOptions {
    ImportStyle style;
    std::optional<GaussKrugerZone> zone;  // converts x/y <-> B/L where the file lacks one of them
    bool swapXY = false;                  // the file's x column holds east coordinates, its y north ones
    bool skipBad = false;                 // write the readable lines although others are bad
    bool replace = false;                 // an existing output file may be replaced
};

struct ImportOutcome {
    std::size_t points = 0;              // points written
    std::vector<std::string> badLines;   // "<file> 第<n>行：<reason>", in line order
    bool looksSwapped = false;           // refused: x and y look exchanged (swapXY reads them so)
    int zonePrefix = 0;                  // the zone number taken off east coordinates, 0 when none was
    std::size_t zonePrefixed = 0;        // how many points carried it
};

// Reads `input` in the style and writes the project `output` (see
// import/collector_project.h); with a zone the project remembers it as its
// coordinate system. Nothing is written when the file has bad
// lines (unless skipBad), no readable point, or the output exists (unless
// replace); the status then says why and `outcome.badLines` lists the lines.
Status ImportPointFile(const std::string& input, const std::string& output, const ImportOptions& options,
                       ImportOutcome& outcome);

}  // namespace linvara::import
