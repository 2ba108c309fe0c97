#pragma once
// What a project file's schema holds beyond the tables this program reads:
// triggers and views it will not run, and tables that are not what their
// names promise.
#include <string>
#include <vector>

#include "status.h"

namespace SQLite {
class Database;
}

namespace linvara::db {

// The file's triggers and views as "<name>（触发器）" / "<name>（视图）", in
// the order the schema lists them; none in a file of the collector or of
// this program.
std::vector<std::string> ForeignSchemaCode(SQLite::Database& db);

// "工程文件含有触发器/视图：a（触发器）、b（视图），本程序不执行它们"
std::string ForeignSchemaCodeText(const std::vector<std::string>& found);

// Refuses a file whose table of a name this program reads is a view, or
// whose collector tables declare a column this program reads with the wrong
// kind of type (a text type for coordinates, a number type for names),
// naming the table and the column. Missing tables and columns are left to
// the statements that read them, which name them too.
Status CheckTableShapes(SQLite::Database& db, const std::string& path);

}  // namespace linvara::db
