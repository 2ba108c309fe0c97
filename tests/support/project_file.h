#pragma once
// Small helpers for the database tests: collector points, raw SQL looks at a
// project file, table dumps to compare before and after.
#include <SQLiteCpp/SQLiteCpp.h>

#include <string>
#include <vector>

#include "support/collector_fixture.h"

namespace linvara::testing {

inline CollectorPoint Point(const std::string& gpsId, const std::string& name, int type, double north = 0,
                            double east = 0) {
    return Surveyed(gpsId, name, type, north, east);
}

// The first column of the first row as its stored bytes ("<null>" for NULL,
// "<none>" when there is no row).
inline std::string Scalar(const std::string& path, const std::string& sql) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    SQLite::Statement q(db, sql);
    if (!q.executeStep()) return "<none>";
    return q.getColumn(0).isNull() ? "<null>" : q.getColumn(0).getString();
}

inline void Exec(const std::string& path, const std::string& sql) {
    SQLite::Database db(path, SQLite::OPEN_READWRITE);
    db.exec(sql);
}

inline bool HasTable(const std::string& path, const std::string& table) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    return db.tableExists(table);
}

// Every row of a table, each value with its storage class, in rowid order.
inline std::vector<std::string> Dump(const std::string& path, const std::string& table) {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    SQLite::Statement q(db, "SELECT * FROM " + table + " ORDER BY rowid");
    std::vector<std::string> rows;
    while (q.executeStep()) {
        std::string row;
        for (int i = 0; i < q.getColumnCount(); ++i) {
            const SQLite::Column c = q.getColumn(i);
            row += std::to_string(c.getType()) + ":" + (c.isNull() ? "" : c.getString()) + "|";
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace linvara::testing
