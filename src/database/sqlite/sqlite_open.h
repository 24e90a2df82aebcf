#pragma once

#include <string>

#include "database/sqlite/sqlite_handle.h"

namespace quorvane::db {

// How long a database that another program holds locked is waited for before
// it is refused.
inline constexpr int kSqliteBusyMilliseconds = 2000;

// A read-only connection to the SQLite database at `path` that sees every
// committed change, those still in its write-ahead log (`-wal`) included, and
// has checked the file: sound pages, no interrupted change waiting in a hot
// journal, no other program holding it locked past the busy timeout, and at
// least as many bytes as its pages (more are allowed). Nothing of the
// database is ever written; SQLite may create its own `-shm` side file beside
// a database in write-ahead-log mode. A connection to a database in that mode
// holds one read transaction for its life, so that every table it loads comes
// from the same committed state. Throws OpenError with one line that says
// what is wrong and what to do.
SqliteDb OpenCheckedSqlite(const std::string& path);

}  // namespace quorvane::db
