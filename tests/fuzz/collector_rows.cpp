#include "fuzz/collector_rows.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "support/collector_fixture.h"

namespace linvara::fuzz {
namespace {

constexpr int kMaxRows = 300;

struct Table {
    char tag;
    const char* insert;
    int columns;
};

const Table kTables[] = {
    {'P', "INSERT INTO Point (GPSID, Name, CODE, North, East, Height, Latitude, Longitude, Altitude, StartTime, "
          "HostIMEI, DeleteSign) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
     12},
    {'D', "INSERT INTO Electric_Data_DH (GPS_ID, Type, Type_Note, [Index], LinkCode, LinkCode_Note, PoleType, "
          "PoleType_Note, AddHeight, GLAngleOrLength, GLWidth, GouType, GouType_Note, StartJ, EndJ, PtAfterSel, "
          "PtBeforSel) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
     17},
    {'T', "INSERT INTO Electric_Data_TG (Name, x, y, h, Code, PegDis, HDiff, PegName, SubIndex, GPS_ID, Midx, Midy, "
          "Midh, Pegx, Pegy, Pegh, HostIMEI) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
     17},
};

void Bind(SQLite::Statement& statement, int index, std::string_view field) {
    const std::string rest(field.empty() ? std::string_view() : field.substr(1));
    switch (field.empty() ? 'n' : field.front()) {
        case 'n': statement.bind(index); break;
        case 'i': statement.bind(index, static_cast<int64_t>(std::strtoll(rest.c_str(), nullptr, 10))); break;
        case 'r': statement.bind(index, std::strtod(rest.c_str(), nullptr)); break;
        case 'b': statement.bind(index, rest.data(), static_cast<int>(rest.size())); break;
        default: statement.bind(index, std::string(field)); break;
    }
}

void InsertRow(SQLite::Database& db, const Table& table, std::string_view fields) {
    SQLite::Statement statement(db, table.insert);
    for (int column = 1; column <= table.columns; ++column) {
        const std::size_t bar = fields.find('|');
        const bool given = !fields.empty() || bar != std::string_view::npos;
        if (given) Bind(statement, column, fields.substr(0, bar));
        fields = bar == std::string_view::npos ? std::string_view() : fields.substr(bar + 1);
    }
    statement.exec();
}

}  // namespace

void WriteProjectFromRows(const std::string& path, std::string_view rows) {
    std::filesystem::remove(path);
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(testing::CollectorSchemaSql());
    SQLite::Transaction transaction(db);
    for (int count = 0; !rows.empty() && count < kMaxRows; ++count) {
        const std::size_t end = rows.find('\n');
        const std::string_view line = rows.substr(0, end);
        rows = end == std::string_view::npos ? std::string_view() : rows.substr(end + 1);
        if (line.size() < 2 || line[1] != '|') continue;
        for (const Table& table : kTables)
            if (table.tag == line[0]) InsertRow(db, table, line.substr(2));
    }
    transaction.commit();
}

}  // namespace linvara::fuzz
