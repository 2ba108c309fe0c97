#pragma once
// Helpers shared by the CProjectDatabase sources; not part of the interface.
#include <SQLiteCpp/SQLiteCpp.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace linvara::db_detail {

// The collector's join failed (a table or column missing, or another SQL
// error); reported differently from a failure to create a table.
class SurveyQueryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs a function when the scope ends: every operation closes its
// connection whatever way it leaves.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

// Column positions of a result looked up by name once; like the named
// field access of the original wrapper, the first column of that name wins
// and a missing name is an SQL error.
class NamedColumns {
public:
    explicit NamedColumns(const SQLite::Statement& query) : query_(query) {}
    int operator()(const char* name) const;

private:
    const SQLite::Statement& query_;
};

// Values of the current row; NULL gives 0 or the empty text.
std::string GbText(const SQLite::Column& column);    // GB18030 bytes -> UTF-8
std::string Utf8Text(const SQLite::Column& column);  // UTF-8, invalid bytes replaced
std::string RawText(const SQLite::Column& column);   // the stored bytes
inline int Int(const SQLite::Column& column) { return column.getInt(); }
inline double Real(const SQLite::Column& column) { return column.getDouble(); }

// Binds the parameters of a statement in order, each as the value that the
// statement's printf format would have put into the SQL text.
class Binder {
public:
    explicit Binder(SQLite::Statement& statement);
    Binder& Text(const std::string& utf8);     // '%s' into a working table: GB18030
    Binder& Raw(const std::string& bytes);     // '%s' of bytes already stored that way
    Binder& Int(int value);                    // %d
    Binder& Real(double value, int decimals);  // %.Nf
    // '%.Nf': a number quoted in the statement is a text that the column's
    // affinity turns back into a number.
    Binder& Printed(double value, int decimals);

private:
    SQLite::Statement& statement_;
    int index_ = 0;
};

// Whether a name may stand as a table or column identifier in a statement.
bool IsPlainIdentifier(const std::string& name);

}  // namespace linvara::db_detail
