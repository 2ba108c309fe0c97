#pragma once
// The table of our own that keeps a project's conversion options with the
// project, so they travel with the file. It is created the first time the
// user sets them, so a project nobody set options for keeps exactly its tables.
#include <optional>

#include "model/options.h"

namespace SQLite {
class Database;
}

namespace linvara::options_table {

// The stored options; none when the project has none. Throws on SQL errors.
std::optional<ConversionOptions> Read(SQLite::Database& db);
// Replaces the stored options. Inside the caller's transaction.
void Write(SQLite::Database& db, const ConversionOptions& options);

}  // namespace linvara::options_table
