#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "db/project_database.h"
#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"
#include "model/tg_data_unit.h"
#include "reporter.h"
#include "status.h"

namespace linvara {

// What a merge target already holds, so that merging a source again adds
// nothing twice: its points' GPS_IDs as stored, and fingerprints of its
// tower-base rows' values as a merge stores them.
struct MergeTargetIndex {
    std::unordered_set<std::string> gpsIds;
    std::unordered_set<std::uint64_t> towerRows;
};

// What one source added to a merge target and what the target already held.
struct AppendCounts {
    std::size_t points = 0, skippedPoints = 0;
    std::size_t towerRows = 0, skippedTowerRows = 0;
};

// The project file a merge writes into: created when missing, opened as a
// project (its tables checked, its triggers and views said once), then each
// source appended in a transaction of its own. Every operation opens its own
// connection and closes it before returning.
class MergeTargetDatabase {
public:
    explicit MergeTargetDatabase(Reporter& reporter);

    Status Open(const std::string& path);
    Status ReadIndex(MergeTargetIndex& index);
    // One source's points with their order rows, and its tower-base rows,
    // in one transaction, leaving out what `index` says the target holds;
    // `index` and `counts` follow what was committed. The source's B/L
    // origins of the points added go with them.
    Status AppendProject(const DHPointList& list, const std::vector<TGDataUnit>& rows, MergeTargetIndex& index,
                         AppendCounts& counts, const std::vector<LatLonOrigin>& origins = {});

    const std::string& Path() const { return project_.Path(); }

private:
    // A connection for one operation, or the failure of `operation`.
    Status Connect(const std::string& operation, std::unique_ptr<db::ProjectConnection>& connection);

    ProjectDatabase project_;  // opening and checking the file as any project
};

}  // namespace linvara
