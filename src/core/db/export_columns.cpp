#include "db/export_columns.h"

#include <sqlite3.h>

#include <array>
#include <cmath>

#include "db/fingerprint.h"
#include "db/statement.h"
#include "text/encoding.h"
#include "text/format.h"

namespace linvara::export_table {
namespace {

constexpr unsigned kAll = Read | Added | Edited | Saved | Seeded | Merged;
constexpr unsigned kListed = Read | Added | Seeded | Merged;  // written once, never changed by an edit

// In the stored table's order. Three pieces of the CREATE text carry no
// space after their comma; projects in the field carry them that way.
const std::array kColumns{
    Column{"ID", "[ID] INTEGER PRIMARY KEY, ", Kind::Int, 0, nullptr, &DHPoint::ID, nullptr, Read},
    // Saved with the list: a point whose identity another point shared is given a new one.
    Column{"GPS_ID", "[GPS_ID] CHAR, ", Kind::Text, 0, &DHPoint::GPS_ID, nullptr, nullptr, kAll,
           Seed::AnsiWithTitle, "GPS_ID"},
    Column{"HostIMEI", "[HostIMEI] CHAR, ", Kind::Text, 0, nullptr, nullptr, nullptr, Seeded | Merged, Seed::Ansi,
           "HostIMEI", MergeAs::GpsId},
    Column{"NewPtName", "[NewPtName] CHAR, ", Kind::Text, 0, &DHPoint::NewPtName, nullptr, nullptr, kAll,
           Seed::Utf8, "Name"},
    Column{"OrgPtName", "[OrgPtName] CHAR, ", Kind::Text, 0, &DHPoint::OrgPtName, nullptr, nullptr, kListed,
           Seed::Utf8, "Name"},
    Column{"Dx", "[Dx] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::Dx, kAll, Seed::Real, "North"},
    Column{"Dy", "[Dy] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::Dy, kAll, Seed::Real, "East"},
    Column{"Dh", "[Dh] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::Dh, kAll, Seed::Real, "Height"},
    Column{"B", "[B] DOUBLE, ", Kind::Real, 10, nullptr, nullptr, &DHPoint::B, kAll, Seed::Real, "Latitude"},
    Column{"L", "[L] DOUBLE, ", Kind::Real, 10, nullptr, nullptr, &DHPoint::L, kAll, Seed::Real, "Longitude"},
    Column{"H", "[H] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::H, kAll, Seed::Real, "Altitude"},
    Column{"Code", "[Code] CHAR, ", Kind::Text, 0, &DHPoint::Code, nullptr, nullptr, kAll, Seed::Utf8, "CODE"},
    Column{"Note", "[Note] CHAR, ", Kind::Text, 0, &DHPoint::Note, nullptr, nullptr, Read | Added},
    Column{"AntHight", "[AntHight] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::AntHight, kListed,
           Seed::Zero},
    Column{"SaveDateTime", "[SaveDateTime] CHAR, ", Kind::Text, 0, &DHPoint::SaveDateTime, nullptr, nullptr,
           Added | Seeded | Merged, Seed::Utf8, "StartTime"},
    Column{"DHType", "[DHType] INTEGER, ", Kind::Int, 0, nullptr, &DHPoint::DHType, nullptr, kListed | Edited,
           Seed::Int, "Type"},
    Column{"Mileage", "[Mileage] DOUBLE,", Kind::Real, 4, nullptr, nullptr, &DHPoint::Mileage, kAll, Seed::Zero,
           nullptr, MergeAs::Real3},
    Column{"Offset", "[Offset] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::Offset, kAll, Seed::Zero,
           nullptr, MergeAs::Real3},
    Column{"DiffHight", "[DiffHight] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::DiffHight,
           Added | Seeded | Merged, Seed::Zero, nullptr, MergeAs::Real3},
    Column{"PoleType", "[PoleType] INTEGER, ", Kind::Int, 0, nullptr, &DHPoint::PoleType, nullptr, kAll, Seed::Int,
           "PoleType"},
    Column{"PoleName", "[PoleName] CHAR, ", Kind::Text, 0, nullptr, nullptr, nullptr, Seeded | Merged, Seed::Utf8,
           "PoleType_Note", MergeAs::Empty},
    Column{"PoleModel", "[PoleModel] INTEGER, ", Kind::Int, 0, nullptr, nullptr, nullptr, Seeded | Merged,
           Seed::Empty, nullptr, MergeAs::Empty},
    Column{"LXCode", "[LXCode] INTEGER, ", Kind::Int, 0, nullptr, &DHPoint::LXCode, nullptr, kAll, Seed::Int,
           "LinkCode"},
    // Merged points keep the ten decimals merges have always printed.
    Column{"CrossAngle", "[CrossAngle] DOUBLE,", Kind::Real, 8, nullptr, nullptr, &DHPoint::CrossAngle, kAll,
           Seed::Ansi, "GLAngleOrLength", MergeAs::Printed, 10},
    Column{"ObjectCode", "[ObjectCode] INTEGER, ", Kind::Int, 0, nullptr, &DHPoint::ObjectCode, nullptr, kAll,
           Seed::Int, "GouType"},
    Column{"GLWide", "[GLWide] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::GLWide, kAll, Seed::Ansi,
           "GLWidth", MergeAs::Printed, 4},
    Column{"GLCode", "[GLCode] INTEGER, ", Kind::Int, 0, nullptr, &DHPoint::GLCode, nullptr, kAll, Seed::Int,
           "GouType"},
    Column{"BZdmPt", "[BZdmPt] CHAR, ", Kind::Text, 0, &DHPoint::BZdmPt, nullptr, nullptr, kAll, Seed::Utf8,
           "PtAfterSel"},
    Column{"FZdmPt", "[FZdmPt] CHAR, ", Kind::Text, 0, &DHPoint::FZdmPt, nullptr, nullptr, kAll, Seed::Utf8,
           "PtBeforSel"},
    Column{"AddHight", "[AddHight] DOUBLE, ", Kind::Real, 4, nullptr, nullptr, &DHPoint::AddHight, kAll,
           Seed::Printed, "AddHeight", MergeAs::Printed, 4},
    Column{"StartJ", "[StartJ] CHAR, ", Kind::Text, 0, &DHPoint::StartJ, nullptr, nullptr, kAll, Seed::Utf8,
           "StartJ"},
    Column{"EndJ", "[EndJ] CHAR", Kind::Text, 0, &DHPoint::EndJ, nullptr, nullptr, kAll, Seed::Utf8, "EndJ"},
};

using db::Fingerprint;

void AddInteger(Fingerprint& f, long long value) { f.Add(SQLITE_INTEGER, &value, sizeof value); }
// As SQLite keeps a bound double: -0 comes back as 0, NaN as NULL.
void AddReal(Fingerprint& f, double value) {
    if (std::isnan(value)) return f.Add(SQLITE_NULL, nullptr, 0);
    if (value == 0) value = 0;
    f.Add(SQLITE_FLOAT, &value, sizeof value);
}
void AddText(Fingerprint& f, std::string_view bytes) { f.AddText(SQLITE_TEXT, bytes); }

void AddStored(Fingerprint& f, const sql::Value& v, int type) {
    switch (type) {
        case SQLITE_INTEGER: AddInteger(f, v.Int64()); break;
        case SQLITE_FLOAT: AddReal(f, v.Real()); break;
        case SQLITE_NULL: f.Add(SQLITE_NULL, nullptr, 0); break;
        default: AddText(f, v.Bytes()); break;
    }
}

std::string ColumnList(Use use, const char* between, const char* after) {
    std::string sql;
    for (const Column& c : kColumns) {
        if ((c.uses & use) == 0) continue;
        if (!sql.empty()) sql += between;
        sql += c.name;
        sql += after;
    }
    return sql;
}

void BindMember(sql::Binder& b, const Column& c, const DHPoint& p) {
    switch (c.kind) {
        case Kind::Text: b.Text(p.*c.text); break;
        case Kind::Int: b.Int(p.*c.integer); break;
        case Kind::Real: b.Real(p.*c.real, c.decimals); break;
    }
}

void BindMerged(sql::Binder& b, const Column& c, const DHPoint& p) {
    switch (c.merge) {
        case MergeAs::Declared: BindMember(b, c, p); break;
        case MergeAs::Real3: b.Real(p.*c.real, 3); break;
        case MergeAs::Printed: b.Printed(p.*c.real, c.mergeDecimals); break;
        case MergeAs::GpsId: b.Text(p.GPS_ID); break;
        case MergeAs::Empty: b.Text(""); break;
    }
}

}  // namespace

std::span<const Column> Columns() { return kColumns; }

std::string CreateTableSql() {
    std::string sql = "CREATE TABLE [Electric_DH_Export] (";
    for (const Column& c : kColumns) sql += c.createText;
    return sql + " )";
}

std::string InsertSql(Use use) {
    std::string values;
    for (const Column& c : kColumns)
        if (c.uses & use) values += values.empty() ? "?" : ",?";
    return "INSERT INTO Electric_DH_Export (" + ColumnList(use, ",", "") + ") VALUES (" + values + ");";
}

std::string UpdateSql(Use use) { return "UPDATE Electric_DH_Export SET " + ColumnList(use, ",", "=?") + " WHERE ID=?"; }

void BindPoint(sql::Binder& b, const DHPoint& p, Use use) {
    for (const Column& c : kColumns) {
        if ((c.uses & use) == 0) continue;
        if (use == Merged)
            BindMerged(b, c, p);
        else
            BindMember(b, c, p);
    }
    if (use == Edited || use == Saved) b.Int(p.ID);
}

std::uint64_t BindSaved(sql::Binder& b, const DHPoint& p, int storedKind) {
    Fingerprint f;
    for (const Column& c : kColumns) {
        if ((c.uses & Edited) == 0) continue;
        if ((c.uses & Saved) == 0) {  // the kind: kept as the row has it
            AddInteger(f, c.integer == &DHPoint::DHType ? storedKind : p.*c.integer);
            continue;
        }
        BindMember(b, c, p);
        switch (c.kind) {
            case Kind::Text: AddText(f, b.LastText()); break;
            case Kind::Int: AddInteger(f, p.*c.integer); break;
            case Kind::Real: AddReal(f, b.LastReal()); break;
        }
    }
    b.Int(p.ID);
    return f.Value();
}

void RoundAsStored(DHPoint& p, Use use) {
    for (const Column& c : kColumns) {
        if (c.kind != Kind::Real || c.real == nullptr || (c.uses & use) == 0) continue;
        const double stored = text::RoundAsPrinted(p.*c.real, c.decimals);
        p.*c.real = std::isnan(stored) || stored == 0 ? 0.0 : stored;
    }
}

ReadColumns::ReadColumns(const sql::Statement& query) {
    const sql::NamedColumns named(query);
    positions_.reserve(kColumns.size());
    for (const Column& c : kColumns) positions_.push_back((c.uses & Read) ? named(c.name) : -1);
}

// Each value is fetched once: as the type it is stored with for the
// fingerprint, converted to the member's kind only when it is another.
DHPoint ReadColumns::ReadPoint(const sql::Statement& q, std::uint64_t* fingerprint) const {
    DHPoint p;
    Fingerprint f;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const int at = positions_[i];
        if (at < 0) continue;
        const Column& c = kColumns[i];
        const bool add = fingerprint != nullptr && (c.uses & Edited);
        const sql::Value v = q.Value(at);
        const int type = v.Type();
        if (c.kind == Kind::Text && type == SQLITE_TEXT) {
            const std::string_view bytes = v.Bytes();
            if (add) AddText(f, bytes);
            p.*c.text = text::Gb18030ToUtf8(bytes);
        } else if (c.kind == Kind::Int && type == SQLITE_INTEGER) {
            const long long value = v.Int64();
            if (add) AddInteger(f, value);
            p.*c.integer = static_cast<int>(value);
        } else if (c.kind == Kind::Real && type == SQLITE_FLOAT) {
            const double value = v.Real();
            if (add) AddReal(f, value);
            p.*c.real = value;
        } else {
            if (add) AddStored(f, v, type);
            switch (c.kind) {
                case Kind::Text: p.*c.text = text::Gb18030ToUtf8(v.Bytes()); break;
                case Kind::Int: p.*c.integer = v.Int(); break;
                case Kind::Real: p.*c.real = v.Real(); break;
            }
        }
    }
    if (fingerprint != nullptr) *fingerprint = f.Value();
    return p;
}

std::uint64_t ReadColumns::RowFingerprint(const sql::Statement& q) const {
    Fingerprint f;
    for (std::size_t i = 0; i < kColumns.size(); ++i)
        if (kColumns[i].uses & Edited) {
            const sql::Value v = q.Value(positions_[i]);
            AddStored(f, v, v.Type());
        }
    return f.Value();
}

std::uint64_t StoredFingerprint(const DHPoint& p, int storedKind) {
    Fingerprint f;
    for (const Column& c : kColumns) {
        if ((c.uses & Edited) == 0) continue;
        switch (c.kind) {
            case Kind::Text: f.AddStoredText(SQLITE_TEXT, p.*c.text); break;
            case Kind::Int: AddInteger(f, c.integer == &DHPoint::DHType ? storedKind : p.*c.integer); break;
            case Kind::Real: AddReal(f, text::RoundAsPrinted(p.*c.real, c.decimals)); break;
        }
    }
    return f.Value();
}

}  // namespace linvara::export_table
