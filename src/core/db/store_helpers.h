#pragma once
// Helpers shared by the ProjectDatabase sources; not part of the interface.
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>
#include <utility>

#include "db/connection_defences.h"  // the type of every ProjectDatabase connection
#include "db/statement.h"
#include "status.h"

namespace linvara::db {

// Waits a moment for another program (the desktop program, another command)
// that is writing the same file instead of failing at once.
inline constexpr int kBusyTimeoutMs = 3000;
// One connection is only ever used by one thread, so SQLite's own locking per
// call is pure overhead on large seeds and saves.
inline const int kConnectionFlags = SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX;

// "<text>（SQLite's reason）"; a damaged page is news about the file
// `path`, whatever the operation was.
Status FailureOf(const std::string& path, const std::string& text, const std::exception& e);
// Whether the open project's file is still there for `operation`.
Status ProjectFileThere(const std::string& path, const std::string& operation);
// A read-write connection to the project file for one operation; a refusal
// is a failure of `operation`.
Status Connect(const std::string& path, const std::string& operation, std::unique_ptr<db::ProjectConnection>& connection);

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

// Values of the current row as the layer stores them in memory.
std::string GbText(const sql::Statement& q, int column);    // GB18030 bytes -> UTF-8
std::string Utf8Text(const sql::Statement& q, int column);  // UTF-8, invalid bytes replaced
std::string RawText(const sql::Statement& q, int column);   // the stored bytes

// Row IDs seen, as bits up to a table's largest ID (a hash set of a million
// IDs costs a tenth of a large read); others, such as negative IDs, in a set.
// The bits are kept only while they cost little (2 MB) or no more than the
// rows themselves: a few rows with IDs near 2^31 go to the set, not to
// 256 MB of bits.
class SeenIds {
public:
    // `rows`: how many IDs may be inserted at most, when known.
    explicit SeenIds(long long maxId, long long rows = 0);
    bool Contains(long long id) const;
    // True when the ID was not seen before.
    bool Insert(long long id);

private:
    std::vector<bool> bits_;
    std::unordered_set<long long> others_;
};

// A text as the working tables store it: GB18030, ASCII as it is.
std::string StoredText(std::string_view utf8);

// Whether a name may stand as a table or column identifier in a statement.
bool IsPlainIdentifier(const std::string& name);

}  // namespace linvara::db
