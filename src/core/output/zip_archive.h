#pragma once
// ZIP archives built in memory (through libzip), for the KMZ result.
#include <span>
#include <string>
#include <string_view>

namespace linvara::output {

struct ZipEntry {
    std::string name;      // path inside the archive, "/" between folders
    std::string_view data;
    bool compress = true;  // deflate; false stores data as it is (a PNG is packed already)
};

// Whether this build writes ZIP archives: they need libzip.
bool ZipAvailable();

// The bytes of an archive holding `entries`, in their order; false with
// libzip's cause in `error` when it fails.
bool BuildZip(std::span<const ZipEntry> entries, std::string& zip, std::string& error);

}  // namespace linvara::output
