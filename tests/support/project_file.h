#pragma once
// Small helpers for tests on project files: collector points, raw SQL looks
// at a file, statuses that show their message when they fail.
#include <SQLiteCpp/SQLiteCpp.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/project_database.h"
#include "status.h"
#include "support/collector_fixture.h"
#include "support/table_dump.h"

namespace linvara::testing {

inline CollectorPoint Point(const std::string& gpsId, const std::string& name, int type, double north = 0,
                            double east = 0) {
    return Surveyed(gpsId, name, type, north, east);
}

// Success, or a failure that names the status's code and message.
inline ::testing::AssertionResult IsOk(const Status& status) {
    if (status) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (status.code() == Status::Code::Conflict ? "conflict: " : "failed: ")
                                         << status.message();
}

// The working stake list of an opened database; a failed read fails the test.
inline DHPointList StakeList(ProjectDatabase& db) {
    DHPointList list;
    EXPECT_TRUE(IsOk(db.ReadStakeList(list)));
    return list;
}

// Opens the project file as the desktop program does and reads its list.
inline DHPointList StakeListOf(const std::string& path) {
    SilentReporter silent;
    ProjectDatabase db(silent);
    EXPECT_TRUE(IsOk(db.OpenProject(path))) << path;
    return StakeList(db);
}

// The first column of the first row as its stored bytes ("<null>" for NULL,
// "<none>" when there is no row).
inline std::string Scalar(const std::string& path, const std::string& sql) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    SQLite::Statement q(db, sql);
    if (!q.executeStep()) return "<none>";
    return q.getColumn(0).isNull() ? "<null>" : q.getColumn(0).getString();
}

// The first column of every row, as text.
inline std::vector<std::string> FirstColumn(const std::string& path, const std::string& sql) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    SQLite::Statement q(db, sql);
    std::vector<std::string> values;
    while (q.executeStep()) values.push_back(q.getColumn(0).getString());
    return values;
}

inline void Exec(const std::string& path, const std::string& sql) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE);
    db.exec(sql);
}

inline bool HasTable(const std::string& path, const std::string& table) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    return db.tableExists(table);
}

}  // namespace linvara::testing
