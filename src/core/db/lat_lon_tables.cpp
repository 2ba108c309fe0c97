#include "db/lat_lon_tables.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <charconv>
#include <string>
#include <string_view>

#include "db/store_helpers.h"
#include "db/project_database.h"
#include "text/encoding.h"

namespace linvara::lat_lon_tables {
namespace {

constexpr const char* kSystemTable = "Linvara_CoordinateSystem";
constexpr const char* kOriginTable = "Linvara_LatLonOrigin";

// One row. Definition: PROJ's text of the plane coordinates; ZonePrefixes:
// the zone numbers allowed before the east coordinate, comma-separated.
constexpr const char* kCreateSystem =
    "CREATE TABLE IF NOT EXISTS Linvara_CoordinateSystem (ID INTEGER PRIMARY KEY CHECK (ID = 1), "
    "Name TEXT NOT NULL, Definition TEXT NOT NULL, ZonePrefixes TEXT NOT NULL DEFAULT '')";
constexpr const char* kCreateOrigin =
    "CREATE TABLE IF NOT EXISTS Linvara_LatLonOrigin (GPS_ID TEXT NOT NULL, B DOUBLE NOT NULL, L DOUBLE NOT NULL, "
    "Dx DOUBLE NOT NULL, Dy DOUBLE NOT NULL)";

std::string PrefixText(const std::vector<int>& prefixes) {
    std::string out;
    for (int prefix : prefixes) out += (out.empty() ? "" : ",") + std::to_string(prefix);
    return out;
}

std::vector<int> PrefixesOf(std::string_view text) {
    std::vector<int> out;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view piece = text.substr(0, comma);
        int value = 0;
        const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
        if (error == std::errc() && end == piece.data() + piece.size()) out.push_back(value);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return out;
}

}  // namespace

LatLonBasis Read(SQLite::Database& db) {
    LatLonBasis basis;
    if (db.tableExists(kSystemTable)) {
        SQLite::Statement query(db, "SELECT Name, Definition, ZonePrefixes FROM Linvara_CoordinateSystem WHERE ID = 1");
        if (query.executeStep()) {
            CoordinateSystem system;
            system.name = text::SanitizeUtf8(query.getColumn(0).getString());
            system.definition = text::SanitizeUtf8(query.getColumn(1).getString());
            system.zonePrefixes = PrefixesOf(query.getColumn(2).getString());
            if (!system.definition.empty()) basis.system = std::move(system);
        }
    }
    if (db.tableExists(kOriginTable)) {
        SQLite::Statement query(db, "SELECT GPS_ID, B, L, Dx, Dy FROM Linvara_LatLonOrigin ORDER BY rowid");
        while (query.executeStep())
            basis.origins.push_back({text::SanitizeUtf8(query.getColumn(0).getString()), query.getColumn(1).getDouble(),
                                     query.getColumn(2).getDouble(), query.getColumn(3).getDouble(),
                                     query.getColumn(4).getDouble()});
    }
    return basis;
}

void WriteSystem(SQLite::Database& db, const CoordinateSystem& system) {
    db.exec(kCreateSystem);
    SQLite::Statement insert(db, "INSERT OR REPLACE INTO Linvara_CoordinateSystem (ID, Name, Definition, ZonePrefixes) "
                                 "VALUES (1, ?, ?, ?)");
    insert.bind(1, system.name);
    insert.bind(2, system.definition);
    insert.bind(3, PrefixText(system.zonePrefixes));
    insert.exec();
}

void RecordOrigin(SQLite::Database& db, const LatLonOrigin& origin) {
    db.exec(kCreateOrigin);
    SQLite::Statement insert(db, "INSERT INTO Linvara_LatLonOrigin (GPS_ID, B, L, Dx, Dy) SELECT ?1, ?2, ?3, ?4, ?5 "
                                 "WHERE NOT EXISTS (SELECT 1 FROM Linvara_LatLonOrigin WHERE GPS_ID = ?1 "
                                 "AND abs(B - ?2) < ?6 AND abs(L - ?3) < ?6)");
    insert.bind(1, origin.gpsId);
    insert.bind(2, origin.latitude);
    insert.bind(3, origin.longitude);
    insert.bind(4, origin.north);
    insert.bind(5, origin.east);
    insert.bind(6, kSameLatLonDegrees);
    insert.exec();
}

}  // namespace linvara::lat_lon_tables

namespace linvara {

Status ProjectDatabase::ReadLatLonBasis(LatLonBasis& basis) {
    basis = {};
    return ReadWith("读取坐标系失败", [&basis](SQLite::Database& db) { basis = lat_lon_tables::Read(db); });
}

}  // namespace linvara
