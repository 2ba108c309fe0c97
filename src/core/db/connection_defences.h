#pragma once
// Every connection this program opens on a project file is opened here.
// Project files travel between crews and offices, and SQLite would run
// whatever triggers and views a file carries inside our own reads and saves;
// these connections run none of them and bound the work of every statement.
#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace linvara::db {

// A connection with SQLite's defences for files from elsewhere: the file's
// triggers and views never run (this program creates neither), the schema
// cannot be written directly and its functions are not trusted, every cell's
// size is checked as it is read, no extension can be loaded. A statement
// that runs far past what the file's size can need is interrupted.
class ProjectConnection : public SQLite::Database {
public:
    // `flags` as SQLite::Database takes them. Throws SQLite::Exception.
    ProjectConnection(const std::string& path, int flags, int busyTimeoutMs);
    ~ProjectConnection();
    ProjectConnection(const ProjectConnection&) = delete;
    ProjectConnection& operator=(const ProjectConnection&) = delete;

    // Units of work (a thousand of SQLite's virtual machine steps) one
    // statement may take; set from the file's size when it opens.
    std::uint64_t WorkBound() const { return bound_; }
    // Tests only: a bound of their own.
    void SetWorkBoundForTesting(std::uint64_t units) { bound_ = units; }

private:
    static int OnProgress(void* self);
    static int OnStatement(unsigned type, void* self, void* statement, void* sql);

    std::uint64_t bound_ = 0;
    std::uint64_t used_ = 0;
};

// Opens `path` as a ProjectConnection.
std::unique_ptr<ProjectConnection> OpenProjectConnection(const std::string& path, int flags, int busyTimeoutMs);

// The cause of a failed statement as the user reads it: SQLite's reason, or
// the work bound's own text when the statement was stopped by it.
std::string CauseOf(const std::exception& e);

// Tests only: the file's triggers run again, for tests that make a write
// fail on purpose with a trigger that raises an error.
void AllowFileTriggersForTesting(bool allow);

// Tests only: every connection opened from now on gets this work bound
// (units; 0 goes back to the one from the file's size).
void SetWorkBoundForTesting(std::uint64_t units);

}  // namespace linvara::db
