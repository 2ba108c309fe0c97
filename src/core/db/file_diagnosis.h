#pragma once
// What is wrong with a project file, told in one line that names the file:
// the cases SQLite names vaguely ("no such table" for an empty file) or
// settles by writing to the project (a rollback journal played back, a WAL
// that is not the project's applied and checkpointed into it). Opening a
// broken file changes nothing in it.
#include <string>

#include "status.h"

namespace SQLite {
class Database;
class Exception;
}  // namespace SQLite

namespace linvara::file_diagnosis {

// Looks at the file and what lies beside it before SQLite does: empty, not
// a database, cut short, free pages that lead out of the file, a stray -wal,
// an unfinished -journal, a WAL project whose folder cannot hold the WAL's
// files. Ok when SQLite may open it. The pages a command reads SQLite
// checks as it reads them.
Status Inspect(const std::string& path);

// "工程文件已损坏：<path>（<cause>）": a damaged page met by a read.
std::string DamagedMessage(const std::string& path, const std::string& cause);

// Why changes to the project cannot be stored (empty when they can): the
// file is read-only, or its folder is, where SQLite keeps the journal of
// every write.
std::string ReadOnlyReason(SQLite::Database& db, const std::string& path);

// The folder that holds the file ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace linvara::file_diagnosis
