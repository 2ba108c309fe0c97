#include "db/statement.h"

#include <gtest/gtest.h>

#include <string>

namespace linvara::sql {
namespace {

class StatementTest : public ::testing::Test {
protected:
    SQLite::Database db{":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE};
    void SetUp() override { db.exec("CREATE TABLE t (id INTEGER PRIMARY KEY, a CHAR, b DOUBLE, c CHAR)"); }
};

// Texts are bound from the statement's own buffers: values made for one row
// (temporaries, a buffer rebound with a longer or shorter text) are stored
// as they were when the row ran, Chinese as GB18030, numbers as printed.
TEST_F(StatementTest, EveryRowStoresItsOwnValues) {
    Statement insert(db, "INSERT INTO t (a, b, c) VALUES (?, ?, ?)");
    const char* names[] = {"a much longer name than the others", "J1", "电杆", ""};
    for (const char* name : names)
        Binder(insert).Text(std::string(name) + "!").Real(2.00006, 4).Printed(3.14159, 2).Run();

    Statement read(db, "SELECT a, b, c, typeof(c) FROM t ORDER BY id");
    std::string rows;
    while (read.Step())
        rows += std::string(read.Bytes(0)) + "|" + std::to_string(read.Real(1)) + "|" + std::string(read.Bytes(2)) +
                "|" + std::string(read.Bytes(3)) + "\n";
    EXPECT_EQ(rows,
              "a much longer name than the others!|2.000100|3.14|text\n"
              "J1!|2.000100|3.14|text\n"
              "\xB5\xE7\xB8\xCB!|2.000100|3.14|text\n"
              "!|2.000100|3.14|text\n");
}

TEST_F(StatementTest, NullReadsAsEmptyAndZero) {
    db.exec("INSERT INTO t (a, b, c) VALUES (NULL, NULL, NULL)");
    Statement read(db, "SELECT a, b, c FROM t");
    ASSERT_TRUE(read.Step());
    EXPECT_EQ(read.Bytes(0), "");
    EXPECT_EQ(read.Real(1), 0.0);
    EXPECT_EQ(read.Int(2), 0);
    EXPECT_FALSE(read.Step());
}

// A row run with a value missing or one too many is an error, never a row
// stored with a stale or NULL value.
TEST_F(StatementTest, ParameterCountMustMatch) {
    Statement insert(db, "INSERT INTO t (a, b) VALUES (?, ?)");
    EXPECT_THROW(Binder(insert).Text("x").Run(), SQLite::Exception);
    EXPECT_THROW(Binder(insert).Text("x").Int(1).Text("y"), SQLite::Exception);
    EXPECT_THROW(Binder(insert).Text("x").Int(1).Int(2), SQLite::Exception);
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM t").getInt(), 0);
    EXPECT_THROW(Statement(db, "SELECT nothing FROM nowhere"), SQLite::Exception);
    EXPECT_THROW(NamedColumns(Statement(db, "SELECT a FROM t"))("b"), SQLite::Exception);
}

}  // namespace
}  // namespace linvara::sql
