// Seeding the working tables from the collector's tables Electric_Data_DH and
// Point. Runs inside the transaction that creates the working tables. Rows go
// straight from the join into the export table: holding them in memory first
// cost about 60 MB and a fifth of the time for 100 000 points, and nothing
// reads them afterwards.
#include <SQLiteCpp/SQLiteCpp.h>

#include <string_view>
#include <utility>
#include <vector>

#include "db/connection_defences.h"
#include "db/store_helpers.h"
#include "db/export_columns.h"
#include "db/project_database.h"
#include "model/identity.h"
#include "text/encoding.h"

namespace linvara {
namespace {

// The two rowids pair the collector's rows one to one where an identity repeats.
constexpr const char* kSurveyJoin =
    "select *, Electric_Data_DH.rowid AS Linvara_DH_Row, Point.rowid AS Linvara_Point_Row "
    "from Electric_Data_DH,Point where Electric_Data_DH.GPS_ID = Point.GPSID and DeleteSign!=1";

// One order row per seeded point, in the same order and with the same
// identity and names as its export row (the table was created empty just
// before, so its IDs are the seeding order).
constexpr const char* kSeedOrder =
    "Insert Into Electric_DH_Order  ([GPS_ID],[Order_NewPtName],[Order_OrgPtName]) "
    "SELECT [GPS_ID],[NewPtName],[OrgPtName] FROM Electric_DH_Export ORDER BY [ID];";

// The join must offer all of these, also those the seeding does not store.
constexpr const char* kSurveyColumns[] = {
    "Name", "Type", "Type_Note", "Index", "LinkCode", "LinkCode_Note", "PoleType", "PoleType_Note", "AddHeight",
    "GLAngleOrLength", "GLWidth", "GouType", "GouType_Note", "StartJ", "EndJ", "PtAfterSel", "PtBeforSel",
    "GPS_ID", "HostIMEI", "North", "East", "Height", "StartTime", "Latitude", "Longitude", "Altitude", "CODE"};

// Where each seeded column of the export table takes its value from.
struct SeedSource {
    const export_table::Column* column;
    int at;  // position in the join; -1 for a constant
};

std::vector<SeedSource> SeedSources(const sql::Statement& join) {
    const sql::NamedColumns named(join);
    for (const char* name : kSurveyColumns) named(name);
    std::vector<SeedSource> sources;
    for (const export_table::Column& c : export_table::Columns())
        if (c.uses & export_table::Seeded) sources.push_back({&c, c.seedFrom ? named(c.seedFrom) : -1});
    return sources;
}

// The collector writes most texts in UTF-8; GLAngleOrLength, GLWidth, GPS_ID
// and HostIMEI are in its ANSI code page. Both end up GB18030 in the export
// table, NULL as the empty text or 0.
void BindSeed(sql::Binder& b, const SeedSource& s, const sql::Statement& q, const std::string& identity) {
    using export_table::Seed;
    switch (s.column->seed) {
        case Seed::Utf8: b.Text(q.Bytes(s.at)); break;
        case Seed::Ansi: b.Text(text::Gb18030ToUtf8(q.Bytes(s.at))); break;
        case Seed::AnsiWithTitle: b.Text(identity); break;
        case Seed::Int: b.Int(q.Int(s.at)); break;
        case Seed::Real: b.Real(q.Real(s.at), s.column->decimals); break;
        case Seed::Printed: b.Printed(q.Real(s.at), s.column->decimals); break;
        case Seed::Zero: b.Real(0, 3); break;
        case Seed::Empty: b.Text(""); break;
        case Seed::None: break;
    }
}

// The join's failures (a missing table or column, a broken file) are
// reported as a failed query, not as a failed table creation.
template <typename F>
auto OnSurveyJoin(F step) {
    try {
        return step();
    } catch (const SQLite::Exception& e) {
        throw db::SurveyQueryError(db::CauseOf(e));
    }
}

}  // namespace

// An identity that repeats in both collector tables joins every row with
// every row; each collector row is taken once, so k repeats give k points,
// not k². A point whose GPS_ID an earlier one took gets a fresh one, as a new
// point does, so that the working tables never hold one identity twice.
void ProjectDatabase::SeedWorkingTables() {
    sql::Statement q = OnSurveyJoin([&] { return sql::Statement(*connection_, kSurveyJoin); });
    const std::vector<SeedSource> sources = OnSurveyJoin([&] { return SeedSources(q); });
    const auto [dhRow, pointRow] = OnSurveyJoin([&] {
        const sql::NamedColumns named(q);
        return std::pair{named("Linvara_DH_Row"), named("Linvara_Point_Row")};
    });
    const std::string titleSuffix = "_" + title_;
    int identityAt = -1;
    for (const SeedSource& s : sources)
        if (s.column->seed == export_table::Seed::AnsiWithTitle) identityAt = s.at;
    sql::Statement insert(*connection_, export_table::InsertSql(export_table::Seeded).c_str());
    // A first opening of 100 000 points takes seconds: say how far it got.
    const long long total = connection_->execAndGet("SELECT count(*) FROM Electric_Data_DH").getInt64();
    // Each row seeded takes one row of each table: at most `total` of either.
    db::SeenIds dhRowsTaken(connection_->execAndGet("SELECT max(rowid) FROM Electric_Data_DH").getInt64(), total);
    db::SeenIds pointRowsTaken(connection_->execAndGet("SELECT max(rowid) FROM Point").getInt64(), total);
    SeededIdentities seeded;
    long long joined = 0;
    while (OnSurveyJoin([&] { return q.Step(); })) {
        if ((++joined & 4095) == 0) reporter_.Progress(joined, total);
        const long long dh = q.Int64(dhRow), point = q.Int64(pointRow);
        if (dhRowsTaken.Contains(dh) || pointRowsTaken.Contains(point)) continue;
        dhRowsTaken.Insert(dh);
        pointRowsTaken.Insert(point);
        const std::string identity = text::Gb18030ToUtf8(q.Bytes(identityAt)) + titleSuffix;
        sql::Binder b(insert);
        for (const SeedSource& s : sources) BindSeed(b, s, q, identity);
        b.Run();
        seeded.hashes.push_back(IdentityHash(identity));
        seeded.rowIds.push_back(static_cast<int>(connection_->getLastInsertRowid()));
    }
    RenumberRepeatedIdentities(std::move(seeded));
    connection_->exec(kSeedOrder);
}

// Hashes of a million identities cost a fraction of a set of strings; the
// rare equal hashes are compared exactly, as stored.
void ProjectDatabase::RenumberRepeatedIdentities(SeededIdentities seeded) {
    sql::Statement byId(*connection_, "SELECT GPS_ID FROM Electric_DH_Export WHERE ID=?;");
    const std::vector<std::size_t> repeats = LaterRepeats(seeded.hashes, [&](std::size_t at) {
        sql::Binder(byId).Int(seeded.rowIds[at]);
        return byId.Step() ? db::GbText(byId, 0) : std::string();
    });
    if (repeats.empty()) return;
    FreshIdentities fresh(std::move(seeded.hashes));
    sql::Statement update(*connection_, "UPDATE Electric_DH_Export SET GPS_ID=? WHERE ID=?;");
    for (std::size_t at : repeats) sql::Binder(update).Text(fresh.Next()).Int(seeded.rowIds[at]).Run();
    renumbered_ = repeats.size();
}

}  // namespace linvara
