#pragma once
// Table dumps to compare a project file before and after: plain values, so
// tests of every kind (GoogleTest and QTest) can use them.
#include <SQLiteCpp/SQLiteCpp.h>

#include <string>
#include <vector>

namespace linvara::testing {

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

// Both working tables, export rows first.
inline std::vector<std::string> DumpWorkingTables(const std::string& path) {
    std::vector<std::string> rows = Dump(path, "Electric_DH_Export");
    rows.push_back("--");
    for (std::string& row : Dump(path, "Electric_DH_Order")) rows.push_back(std::move(row));
    return rows;
}

}  // namespace linvara::testing
