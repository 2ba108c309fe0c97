#pragma once
#include "db/connection_defences.h"

namespace linvara::testing {

// While it lives, the program's connections run the file's triggers again:
// for tests that make one write fail on purpose with a trigger that raises
// an error, or log the writes with one.
struct FileTriggersRun {
    FileTriggersRun() { db::AllowFileTriggersForTesting(true); }
    ~FileTriggersRun() { db::AllowFileTriggersForTesting(false); }
    FileTriggersRun(const FileTriggersRun&) = delete;
    FileTriggersRun& operator=(const FileTriggersRun&) = delete;
};

}  // namespace linvara::testing
