#pragma once
#include <memory>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "model/tg_data_unit.h"
#include "reporter.h"

namespace SQLite {
class Database;
}

namespace linvara {

// The project file (*.PD): the collector's tables, the working tables this
// system adds, and every statement run on them. Each operation opens its own
// connection and closes it before returning, so no connection stays open
// between two user actions. Texts are UTF-8 in memory; the working tables
// hold them in GB18030.
class CProjectDatabase {
public:
    explicit CProjectDatabase(Reporter& reporter);
    ~CProjectDatabase();
    CProjectDatabase(const CProjectDatabase&) = delete;
    CProjectDatabase& operator=(const CProjectDatabase&) = delete;

    // Schema, upgrade and seeding. OpenProject opens an existing file only
    // (a missing path is reported, never created), prepares its working
    // tables and reports every failure itself; it returns false when the
    // project cannot be used.
    bool OpenProject(const std::string& path);
    bool Reconnect();
    // Creating the working tables and seeding them is one transaction: when
    // the collector's tables cannot be read nothing is left behind.
    bool PrepareTables();
    bool CreateWorkingTables();
    void AddColumnIfMissing(const std::string& table, const std::string& column, int kind);

    // The working stake list.
    DHPointList ReadStakeList();
    // The same; `ok` tells whether every row could be read.
    DHPointList ReadStakeList(bool& ok);
    bool UpdatePoint(const DHPoint& point);
    bool UpdateAllPoints(const DHPointList& list);
    bool RewriteOrder(const DHPointList& list);
    bool InsertPoint(DHPoint& point);  // receives the new ID; false when not stored
    bool DeletePoint(int id);
    // Drops, recreates and seeds both working tables in one transaction; on
    // failure the previous tables stay exactly as they were.
    bool ResetToSurvey();

    // Merge target and sources.
    bool OpenMergeTarget(const std::string& path);
    bool AppendPoints(const DHPointList& list);
    bool AppendOrder(const DHPointList& list);
    // Texts of the rows come back as the bytes stored, so a merge carries
    // them over unchanged.
    std::vector<TGDataUnit> ReadTowerBaseRows();
    bool AppendTowerBaseRows(const std::vector<TGDataUnit>& rows);

    const std::string& Path() const { return path_; }
    const std::string& Title() const { return title_; }

    // The exact CREATE TABLE texts (other programs read sqlite_master).
    static std::string ExportTableSql();
    static std::string OrderTableSql();
    static std::string TowerBaseTableSql();

private:
    void Close();
    bool OpenConnection(const std::string& path, bool create);
    // Creates the missing working tables, upgrades an old export table and
    // seeds a new one, all on the open connection; throws on failure.
    void BuildWorkingTables();
    // Fills the new export table and the order table from the collector's join.
    void SeedWorkingTables();
    bool WriteOrderRows(const DHPointList& list, bool replaceExisting);

    Reporter& reporter_;
    std::string path_;
    std::unique_ptr<SQLite::Database> connection_;
    std::string title_;
};

}  // namespace linvara
