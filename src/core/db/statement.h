#pragma once
// Prepared statements for the loops that move whole tables through memory.
#include <SQLiteCpp/SQLiteCpp.h>

#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;
struct sqlite3_value;

namespace linvara::sql {

// One value of the current row, fetched once: reading its type and then its
// contents costs one call into the statement instead of two or three. Valid
// until the next step; the connection is used by one thread only.
class Value {
public:
    explicit Value(sqlite3_value* value) : value_(value) {}
    int Type() const;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
    // As the Statement's accessors: NULL gives 0 or the empty text.
    std::string_view Bytes() const;
    int Int() const;
    long long Int64() const;
    double Real() const;

private:
    sqlite3_value* value_;
};

// A prepared statement for the loops that move whole tables (seeding,
// reading and saving the list, merging, the TOW export). It reads values
// straight from the current row and binds texts from buffers it owns, which
// costs a fraction of a wrapper object per value and a copied binding per
// text when 100 000 rows pass. Errors throw SQLite::Exception, as the rest of
// the layer does.
class Statement {
public:
    Statement(SQLite::Database& db, const char* statement);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Step();  // the next row; false after the last

    int ColumnCount() const;
    const char* ColumnName(int column) const;
    // Values of the current row; NULL gives 0 or the empty text. A text
    // stays valid until the next step.
    std::string_view Bytes(int column) const;
    int Int(int column) const;
    long long Int64(int column) const;
    double Real(int column) const;
    int Type(int column) const;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
    sql::Value Value(int column) const;

private:
    friend class Binder;
    void Fail(int code) const;

    sqlite3_stmt* statement_ = nullptr;
    SQLite::Database& db_;
    std::vector<std::string> texts_;  // one bound text per parameter, kept until rebound
};

// Column positions of a result looked up by name once; like the named
// field access of the original wrapper, the first column of that name wins
// and a missing name is an SQL error.
class NamedColumns {
public:
    explicit NamedColumns(const Statement& query) : query_(query) {}
    int operator()(const char* name) const;

private:
    const Statement& query_;
};

// Binds all parameters of a statement in order, each as the value that the
// statement's printf format would have put into the SQL text, then Run()s
// it; running with a parameter left unbound is an error.
class Binder {
public:
    explicit Binder(Statement& statement);
    Binder& Text(std::string_view utf8);     // '%s' into a working table: GB18030
    Binder& Raw(std::string_view bytes);     // '%s' of bytes already stored that way
    Binder& Int(int value);                  // %d
    Binder& Real(double value, int decimals);  // %.Nf
    // '%.Nf': a number quoted in the statement is a text that the column's
    // affinity turns back into a number.
    Binder& Printed(double value, int decimals);
    void Run();

    // What the last Text/Raw/Printed and the last Real bound, as stored.
    std::string_view LastText() const;
    double LastReal() const { return lastReal_; }

private:
    std::string& NextText();
    void BindText();

    Statement& statement_;
    int index_ = 0;
    int lastText_ = -1;
    double lastReal_ = 0;
};

}  // namespace linvara::sql
