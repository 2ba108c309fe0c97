#pragma once
// Project files damaged the ways files that travel by mail, share and USB
// stick are: each helper damages a working project file in place.
#include <map>
#include <string>
#include <vector>

namespace linvara::testing {

// Keeps the first `bytes` bytes of the file.
void CutFile(const std::string& path, std::size_t bytes);

// The first freelist page named in the header lies past the end of the
// file: every page that is read is sound, the damage shows only to a check
// of the whole file (or to the next write that needs a free page).
void PointFreelistPastTheEnd(const std::string& path);

// The root page of each table named no longer says what kind of page it is:
// the first read of the table meets the damage.
void DamageTablePages(const std::string& path, const std::vector<std::string>& tables);

// Puts beside the project the rollback journal of a write made to it
// earlier, as a crash or a copy of the folder mid-write leaves it: the
// journal holds the pages as they were before, the project the pages after.
void PutStaleJournal(const std::string& path);

// Puts beside the project (not in WAL mode) the -wal file of another copy
// of it, with changes that copy has not yet written into its file.
void PutForeignWal(const std::string& path);

// Switches the project to WAL mode; no -wal or -shm stays beside it.
void SwitchToWal(const std::string& path);

// The file and whatever lies beside it (-journal, -wal, -shm), by name, with
// their bytes: a command that leaves these alone changed nothing.
std::map<std::string, std::string> FilesOf(const std::string& path);

}  // namespace linvara::testing
