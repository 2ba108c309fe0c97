#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"
#include "model/options.h"
#include "model/tg_data_unit.h"
#include "reporter.h"
#include "status.h"

namespace SQLite {
class Database;
}

namespace linvara::db {
class ProjectConnection;
}

namespace linvara {

// What the working tables hold for the working stake list, as fingerprints:
// a save writes only the rows whose values differ, and a row that differs
// from what this program last read or wrote was changed by another one.
struct StoredRows {
    struct Row {
        std::uint64_t fingerprint = 0;
        int kind = 0;  // DHType as stored; a list save never changes it
        bool operator==(const Row&) const = default;
    };
    // Export rows of the list by ID, in a sorted array: building it for
    // 100 000 rows costs a fraction of a hash map.
    class Points {
    public:
        const Row* Find(int id) const;
        void Set(int id, const Row& row);
        void Erase(int id);
        // Bulk loading: Append in any order, then Sort; of one ID the last appended wins.
        void Append(int id, const Row& row) { rows_.emplace_back(id, row); }
        void Sort();
        bool operator==(const Points&) const = default;

    private:
        std::vector<std::pair<int, Row>> rows_;
    };
    Points points;
    std::vector<std::uint64_t> order;  // order rows in Order_ID order
    bool orderNumbered = false;        // their Order_IDs are exactly 1..n

    bool operator==(const StoredRows&) const = default;
};

// One export row exactly as stored, value by value with its storage type,
// so that putting it back stores the same bytes under the same ID.
struct StoredRow {
    struct Value {
        int type = 0;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
        std::int64_t integer = 0;
        double real = 0;
        std::string bytes;
    };
    int id = 0;
    StoredRows::Row stored;     // what StoredRows held for it
    std::vector<Value> values;  // in the table's column order
};

// Rows a save adds or removes in the same transaction as the list: a
// command that adds or deletes points is stored whole or not at all.
struct RowEdits {
    bool deleteAll = false;                              // every export row removed first
    std::vector<int> deleted;                            // export rows removed by ID
    std::vector<StoredRow>* deletedRows = nullptr;       // receives them as they were stored
    const std::vector<StoredRow>* restored = nullptr;    // rows put back as they were stored
    std::vector<DHPoint*> added;                         // new points; each receives its ID
    std::string failure;                                 // the failure's text, when not a save's
    const CoordinateSystem* coordinateSystem = nullptr;  // remembered as the project's
};

// What a save may find changed in the list; it compares and writes only that.
struct SaveScope {
    bool writeAll = false;                         // every row and the whole order, unconditionally
    const std::unordered_set<int>* ids = nullptr;  // only these points' values (null: any point)
    bool order = true;                             // the route order
};

// The project file (*.PD): the collector's tables, the working tables this
// system adds, and every statement run on them. Each operation opens its own
// connection and closes it before returning, so no connection stays open
// between two user actions; each is one transaction. Texts are UTF-8 in
// memory; the working tables hold them in GB18030. Failures come back as a
// Status whose message names the cause.
class ProjectDatabase {
public:
    explicit ProjectDatabase(Reporter& reporter);
    ~ProjectDatabase();
    ProjectDatabase(const ProjectDatabase&) = delete;
    ProjectDatabase& operator=(const ProjectDatabase&) = delete;

    // Opens an existing file only (a missing path is refused, never created)
    // and prepares its working tables: creating and seeding them is one
    // transaction, so a failed join leaves nothing behind. A read-only file
    // is warned about through the reporter.
    Status OpenProject(const std::string& path);

    // The working stake list in route order, and what the tables hold for it.
    Status ReadStakeList(DHPointList& list, StoredRows* stored = nullptr);
    // What the tables hold now, without building the list.
    Status ReadStoredRows(StoredRows& stored);

    // Stores the list's values and route order in one transaction, writing
    // only the rows within `scope` whose stored values differ from `stored`.
    // Unless scope.writeAll, the tables must still hold `stored`: when
    // another program has changed them, nothing is written and the status
    // is a conflict; while the file's change counter still equals
    // `seenCounter` the tables are known to hold `stored` without reading
    // them. `stored` follows what was written.
    // With `edits`, rows are removed, put back and added first, in the same
    // transaction; with an empty list only they are written.
    Status SaveList(const DHPointList& list, StoredRows& stored, const SaveScope& scope,
                    std::optional<std::uint32_t> seenCounter = std::nullopt, RowEdits* edits = nullptr);
    // Every export row as stored (for a later SaveList that puts them back).
    Status ReadRows(const StoredRows& stored, std::vector<StoredRow>& rows);
    // A point the user edited (with its kind), added (last in the route;
    // receives its ID), or points deleted; each keeps `stored` in step.
    // An edit that moves a point records where its B/L were right
    // (`origin`), in the same transaction.
    Status UpdatePoint(const DHPoint& point, StoredRows& stored, const LatLonOrigin* origin = nullptr);
    Status InsertPoint(DHPoint& point, StoredRows& stored);
    Status DeletePoints(const std::vector<int>& ids, StoredRows& stored);
    // Drops, recreates and seeds both working tables in one transaction; on
    // failure the previous tables stay exactly as they were.
    Status ResetToSurvey();

    // The project's coordinate system and the recorded B/L origins (none
    // when it has neither).
    Status ReadLatLonBasis(LatLonBasis& basis);

    // The conversion options kept with the project; none when nobody set
    // them for it. Storing them is one transaction.
    Status ReadOptions(std::optional<ConversionOptions>& options);
    Status StoreOptions(const ConversionOptions& options);

    // A number that changes whenever any program commits a change to the
    // file; none when the file cannot tell (write-ahead logging).
    std::optional<std::uint32_t> ChangeCounter() const;

    // Creates the file when it is missing, and the working tables it lacks,
    // empty (a merge's target); the file is not opened as a project.
    Status CreateProjectFile(const std::string& path);
    // The tower-base section rows of the open project's file in table order,
    // none when it has no such table; texts come back as the bytes stored,
    // so a merge carries them over unchanged.
    Status ReadTowerBaseRows(std::vector<TGDataUnit>& rows) const;

    const std::string& Path() const { return path_; }
    const std::string& Title() const { return title_; }
    // The triggers and views the open file carries, which no connection of
    // this program runs ("<name>（触发器）"); said once per file on opening.
    const std::vector<std::string>& SchemaCode() const { return schemaCode_; }
    // Why the open project's changes cannot be stored (the file or its folder
    // is read-only), empty when they can. Such a project is read and
    // converted as any other; its working tables, when the file has none
    // yet, are built in memory; every write is refused with this text.
    const std::string& ReadOnlyReason() const { return readOnlyReason_; }

    // The exact CREATE TABLE texts (other programs read sqlite_master).
    static std::string ExportTableSql();
    static std::string OrderTableSql();
    static std::string TowerBaseTableSql();

private:
    // Ends the operation's connection, unless it holds working tables built in memory.
    void Close();
    // Ends the connection whatever it holds (another file is opened).
    void Release();
    Status OpenConnection(const std::string& path, bool create);
    // Runs `read` on the operation's connection; a failure is one of `operation`.
    Status ReadWith(const std::string& operation, const std::function<void(SQLite::Database&)>& read);
    // Refuses tables that are not what their names promise; finds the
    // triggers and views this program does not run and says so.
    Status InspectSchema(const std::string& path);
    // A write on a read-only project is refused with ReadOnlyReason().
    enum class Access { Read, Write };
    Status Reconnect(const std::string& operation, Access access = Access::Read);
    Status PrepareTables();
    Status CreateWorkingTables();
    void AddColumnIfMissing(const std::string& table, const std::string& column, int kind);
    // Creates the missing working tables, upgrades an old export table and
    // seeds a new one, all on the open connection; throws on failure.
    void BuildWorkingTables();
    // Fills the new export table and the order table from the collector's join.
    void SeedWorkingTables();
    // The seeded points' identities by hash, and their rows.
    struct SeededIdentities {
        std::vector<std::uint64_t> hashes;
        std::vector<int> rowIds;
    };
    // Gives a seeded point whose GPS_ID an earlier one holds a fresh one.
    void RenumberRepeatedIdentities(SeededIdentities seeded);
    void ReportRenumbered();
    void ReadStored(StoredRows& stored, DHPointList* list);
    void WriteOrder(const DHPointList& list, StoredRows& stored, bool writeAll);
    void WritePoints(const DHPointList& list, const StoredRows& stored, StoredRows& written, const SaveScope& scope);
    void ApplyRowEdits(RowEdits& edits, StoredRows& written);
    StoredRow ReadRow(int id, const StoredRows& stored);
    // "<text>：<path>（SQLite's reason）"
    Status Failure(const std::string& text, const std::exception& e) const;

    Reporter& reporter_;
    std::string path_;
    std::unique_ptr<db::ProjectConnection> connection_;
    std::string title_;
    std::size_t renumbered_ = 0;  // points the last seeding gave a fresh GPS_ID
    std::vector<std::string> schemaCode_;
    std::string schemaCodeToldFor_;  // the file whose triggers and views were last reported
    std::string readOnlyReason_;
    // The working tables live in this connection's TEMP schema (a read-only
    // file that has none): it stays open while the project is.
    bool keepConnection_ = false;
};

}  // namespace linvara
