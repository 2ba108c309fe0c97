#pragma once
#include <string>
#include <string_view>

namespace linvara::text {

// The file an atomic write fills beside its target. Where the file system
// allows (Linux O_TMPFILE) it has no name until it is complete, so a crash
// leaves nothing; elsewhere it is named `<target>.tmpXXXXXX`. Either way it
// is held under an exclusive lock while open (on Windows: open without
// sharing its deletion), which tells a live temporary from one a crash
// left behind.
struct TemporaryFile {
    int fd = -1;
    std::string name;  // empty while unnamed
};

// Creates the temporary file for `target`; fd < 0 when it cannot.
TemporaryFile CreateTemporaryFor(const std::string& target);

// Gives an unnamed temporary file the name `<target>.tmpXXXXXX` (a link
// cannot replace the target; a rename then does). Empty on failure.
std::string NameTemporary(int fd, const std::string& target);

// Gives the temporary file the permissions of the target it replaces, or
// the usual ones of a new file (not a temporary file's 0600).
bool GiveTargetMode(int fd, const std::string& target);

// Removes the files `<target>.tmpXXXXXX` that no writer holds: left by a
// crash of this or an earlier version.
void RemoveStaleTemporaries(const std::string& target);

// Whether `name` is one of our temporary names for the file named `targetName`.
bool IsTemporaryNameOf(std::string_view name, std::string_view targetName);

// Tests only: true makes every temporary file a named one, as on a file
// system without unnamed temporary files.
void ForceNamedTemporariesForTesting(bool named);

}  // namespace linvara::text
