#pragma once
// The tables of our own that hold what a project knows about its
// latitude/longitude (model/lat_lon_basis.h). They are created the first
// time something is written to them, so a project nobody told a coordinate
// system and whose points were never moved keeps exactly its tables.
#include "model/lat_lon_basis.h"

namespace SQLite {
class Database;
}

namespace linvara::lat_lon_tables {

// Both tables as they are; empty when missing. Throws on SQL errors.
LatLonBasis Read(SQLite::Database& db);
// The project's coordinate system, replacing the one it had. Inside the caller's transaction.
void WriteSystem(SQLite::Database& db, const CoordinateSystem& system);
// Records the origin unless one for the same point and B/L is there (the
// first place B/L were right stays). Inside the caller's transaction.
void RecordOrigin(SQLite::Database& db, const LatLonOrigin& origin);

}  // namespace linvara::lat_lon_tables
