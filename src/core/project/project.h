#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "db/project_database.h"
#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"
#include "model/options.h"
#include "model/stake_sequence.h"
#include "model/tg_data_unit.h"
#include "reporter.h"
#include "status.h"

namespace linvara {

// Points removed from the list, kept so that putting them back restores
// the same rows (same ID, same stored bytes) at the same places.
struct RemovedPoints {
    std::vector<std::pair<std::size_t, DHPoint>> points;  // position in the list before, ascending
    std::vector<StoredRow> rows;
};

// The whole working state before a reset: the list and every export row as stored.
struct ListBackup {
    DHPointList points;
    std::vector<StoredRow> rows;
};

// The one owner of an open project: its file, the working stake list in
// route order and the options that steer ordering, kept with the project. Points added, edited or
// deleted reach the file at once, each with everything else the list holds
// in one transaction; ordering, sorting, moving and appointing J stakes
// change the list in memory until Save, which stores values and order
// together. Every write is one transaction, and none overwrites what
// another program wrote since this one read or wrote the file: that is a
// Conflict, which the caller resolves with Save(Overwrite) or Reload().
class Project {
public:
    explicit Project(Reporter& reporter);

    // Opens an existing project file (working tables prepared and seeded
    // as needed) and reads its working stake list. The options are the
    // project's own when it keeps some, else `defaults`.
    Status Open(const std::string& path, const ConversionOptions& defaults = ConversionOptions{});
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return database_.Path(); }
    // The file's triggers and views, which this program does not run.
    const std::vector<std::string>& SchemaCode() const { return database_.SchemaCode(); }
    const std::string& Title() const { return database_.Title(); }
    // Why changes cannot be stored (a read-only file or folder), or empty;
    // such a project is read and converted, and every write is refused.
    const std::string& ReadOnlyReason() const { return database_.ReadOnlyReason(); }

    const DHPointList& Points() const { return points_; }
    // The tower-base section rows (Electric_Data_TG) in table order, texts
    // as the bytes stored; none when the file has no such table.
    Status TowerBaseRows(std::vector<TGDataUnit>& rows) const { return database_.ReadTowerBaseRows(rows); }
    // Moves the list out for a last use (a conversion); the project is closed.
    DHPointList TakePoints();
    // The project's coordinate system and where moved points' B/L were right.
    const LatLonBasis& LatLon() const { return latLon_; }
    // The options that steer ordering and sorting.
    const ConversionOptions& Options() const { return options_; }
    // Options for this run only (the command line's); the file keeps its own.
    void SetOptions(const ConversionOptions& options) { options_ = options; }
    // Makes `options` the project's own, kept in its file in one
    // transaction; a failure leaves them as they were.
    Status StoreOptions(const ConversionOptions& options);
    // Whether the list holds changes that only a Save stores.
    bool IsModified() const { return changes_.all || changes_.order || !changes_.ids.empty(); }
    // Whether a save has nothing to write: no change in memory, and every
    // row already stored exactly as a save stores it.
    bool IsSaved() const { return !IsModified() && compared_; }

    enum class SaveMode {
        Normal,     // refuses with a Conflict when another program changed the tables
        Overwrite,  // stores the whole list over whatever the tables hold
    };
    Status Save(SaveMode mode = SaveMode::Normal);
    // Reads the list again from the file; unsaved changes are dropped.
    Status Reload();
    // Back to the collector's survey: every edit, name and order is dropped.
    Status ResetToSurvey();

    // Back to the survey, keeping in `backup` what RestoreBackup needs to
    // undo it.
    Status ResetToSurvey(ListBackup& backup);
    // The tables and the list exactly as `backup` holds them, in one transaction.
    Status RestoreBackup(const ListBackup& backup);

    // Adds a point before the point at `before` (an index of Points()), or
    // last when `before` is out of range. An empty name or one already in use
    // is refused.
    Status AddPoint(DHPoint point, int before = -1);
    // Replaces the point with the same GPS_ID; a new name already used by
    // another point is refused. A move that leaves the point's B/L as they
    // were records where they were right, in the same transaction.
    Status EditPoint(const DHPoint& edited);
    // Deletes the points with these GPS_IDs; unknown ones are passed over.
    // `removed` receives what RestorePoints needs to put them back.
    Status DeletePoints(const std::vector<std::string>& gpsIds, RemovedPoints* removed = nullptr);
    // Puts deleted points back where they were, rows as they were stored.
    Status RestorePoints(const RemovedPoints& removed);
    // Makes `list` (the same points, in another order or with other
    // computed values) the working list and stores it; with `system`, the
    // project remembers it as its coordinate system in the same transaction.
    Status RestoreList(DHPointList list, const CoordinateSystem* system = nullptr);

    void AutoOrder();       // 自动J桩排序
    void SortByMileage();   // 里程排序
    // Moves the J stake at `jRow` of the J-stake list; returns the row it
    // stands at afterwards, or -1 when `jRow` is not a J-stake row.
    int MoveJStake(JMove kind, int jRow);
    // Refers the points with these GPS_IDs to the segment start-end; J
    // stakes among them define the route and are left as they are.
    void AppointJStakes(const std::vector<std::string>& gpsIds, const DHPoint& start, const DHPoint& end);

private:
    // Conflict when the tables no longer hold what this program last read or wrote.
    Status CheckUnchanged();
    // Save(Normal) with rows added or removed in the same transaction.
    Status Store(RowEdits* edits);
    void Remember();  // the file's change counter after this program's own read or write
    Status ReadList();
    // Gives a point whose GPS_ID an earlier point of the list holds a new
    // one (the next save stores it); returns how many.
    std::size_t RenumberSharedIdentities();

    Reporter& reporter_;
    ProjectDatabase database_;
    DHPointList points_;
    LatLonBasis latLon_;
    StoredRows stored_;
    std::optional<std::uint32_t> counter_;
    ConversionOptions options_;
    bool open_ = false;
    // What changed in memory since the list was read or saved: a save
    // compares only that with the file.
    struct Changes {
        bool all = false;              // any point's values
        std::unordered_set<int> ids;   // these points' values
        bool order = false;            // the route order
    } changes_;
    // Whether a save has compared every row with the file since it was read.
    // The first save does, so that rows stored otherwise than a save stores
    // them (numbers kept as texts by the collector) are written as always.
    bool compared_ = false;
};

}  // namespace linvara
