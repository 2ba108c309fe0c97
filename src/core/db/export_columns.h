#pragma once
// The columns of Electric_DH_Export, declared once: the CREATE TABLE text,
// every statement on the table and every binding are derived from them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/dh_point.h"

namespace linvara::sql {
class Statement;
class Binder;
}  // namespace linvara::sql

namespace linvara::export_table {

enum class Kind { Text, Int, Real };

// The statements that write or read a column.
enum Use : unsigned {
    Read = 1u << 0,     // the working stake list
    Added = 1u << 1,    // a point the user adds
    Edited = 1u << 2,   // a point the user edits (with its kind)
    Saved = 1u << 3,    // the list save (never the kind)
    Seeded = 1u << 4,   // the first open, from the collector's join
    Merged = 1u << 5,   // a merge target
};

// How a column is filled from a row of the collector's join on the first open.
enum class Seed {
    None,         // not seeded: NULL
    Utf8,         // the collector's UTF-8 text
    Ansi,         // the collector's ANSI-code-page text
    AnsiWithTitle,  // the same, followed by "_" and the project's title
    Int,
    Real,         // rounded to the column's decimals
    Printed,      // printed with the column's decimals, stored through the column's affinity
    Zero,         // 0 with three decimals
    Empty,        // the empty text
};

// How a merge target stores a column of a source's point; merged projects
// have always been written with these roundings, so they stay.
enum class MergeAs {
    Declared,   // as the column's kind and decimals say
    Real3,      // rounded to 3 decimals
    Printed,    // printed with mergeDecimals, stored through the column's affinity
    GpsId,      // the point's GPS_ID (HostIMEI of a merged point)
    Empty,      // the empty text
};

struct Column {
    const char* name;
    const char* createText;  // the column's piece of the stored CREATE TABLE text
    Kind kind;
    int decimals;            // of a Real
    std::string DHPoint::* text = nullptr;
    int DHPoint::* integer = nullptr;
    double DHPoint::* real = nullptr;
    unsigned uses = 0;
    Seed seed = Seed::None;
    const char* seedFrom = nullptr;  // the collector's column
    MergeAs merge = MergeAs::Declared;
    int mergeDecimals = 0;  // of MergeAs::Printed
};

std::span<const Column> Columns();

// The exact CREATE TABLE text other programs read from sqlite_master.
std::string CreateTableSql();
// "INSERT INTO Electric_DH_Export (a,b,...) VALUES (?,?,...);" over the columns of `use`.
std::string InsertSql(Use use);
// "UPDATE Electric_DH_Export SET a=?,b=?,... WHERE ID=?" over the columns of `use`.
std::string UpdateSql(Use use);

// Binds the point's columns of `use` in declaration order (then its ID for an update).
void BindPoint(sql::Binder& b, const DHPoint& p, Use use);

// Binds the point's columns of `Saved` and its ID as BindPoint does, and
// returns StoredFingerprint(p, storedKind) taken from the bound values, so a
// save converts each value once.
std::uint64_t BindSaved(sql::Binder& b, const DHPoint& p, int storedKind);

// Sets the point's values that `use` (Added, Edited or Saved) stores to what
// reading them back gives: rounded as their binding rounds them, -0 as 0 and
// NaN (stored as NULL) as 0. A list that holds these shows, while the
// project is open, the numbers it shows when the project is opened again.
void RoundAsStored(DHPoint& p, Use use);

// Column positions of a working-list query, looked up by name once.
class ReadColumns {
public:
    explicit ReadColumns(const sql::Statement& query);
    // The point of the current row, and with `fingerprint` the fingerprint
    // of its stored columns of `Edited` (values and storage types): equal to
    // StoredFingerprint of a point exactly when an edit of that point would
    // store what the row already holds.
    DHPoint ReadPoint(const sql::Statement& query, std::uint64_t* fingerprint = nullptr) const;
    std::uint64_t RowFingerprint(const sql::Statement& query) const;

private:
    std::vector<int> positions_;  // per declared column; -1 when the table lacks it
};

// The fingerprint of the row an edit of this point stores, with `storedKind`
// in place of its kind (a list save keeps the kind the row has).
std::uint64_t StoredFingerprint(const DHPoint& p, int storedKind);

}  // namespace linvara::export_table
