// The CREATE TABLE texts of the order table and of the tower-base table (the
// export table's comes from its column declaration).
// Other programs read them from sqlite_master, so they are kept exactly as
// projects in the field already carry them, piece by piece.
#include <initializer_list>
#include <string>

#include "db/export_columns.h"
#include "db/project_database.h"

namespace linvara {
namespace {

std::string Join(std::initializer_list<const char*> pieces) {
    std::string sql;
    for (const char* piece : pieces) sql += piece;
    return sql;
}

}  // namespace

std::string ProjectDatabase::ExportTableSql() { return export_table::CreateTableSql(); }

std::string ProjectDatabase::OrderTableSql() {
    return Join({"CREATE TABLE [Electric_DH_Order] (", "[Order_ID] INTEGER PRIMARY KEY, ", "[GPS_ID] CHAR, ",
                 "[Order_NewPtName] CHAR, ", "[Order_OrgPtName] CHAR", " )"});
}

std::string ProjectDatabase::TowerBaseTableSql() {
    return Join({"CREATE TABLE [Electric_Data_TG] (", "\t[ID] INTEGER PRIMARY KEY,", "\t[Name] CHAR,",
                 "\t[x] DOUBLE,", "\t[y] DOUBLE,", "\t[h] DOUBLE,", "\t[Code] CHAR,", "\t[PegDis] DOUBLE,",
                 "\t[HDiff] DOUBLE,", "\t[PegName] CHAR,", "\t[SubIndex] INTEGER,", "\t[GPS_ID] CHAR,",
                 "\t[Midx] DOUBLE,", "\t[Midy] DOUBLE,", "\t[Midh] DOUBLE,", "\t[Pegx] DOUBLE,",
                 "\t[Pegy] DOUBLE,", "\t[Pegh] DOUBLE,", "[HostIMEI] CHAR)"});
}

}  // namespace linvara
