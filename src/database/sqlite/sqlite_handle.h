#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

namespace quorvane::db {

struct SqliteCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct SqliteFinalizer {
  void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// Prepares `sql`; throws RuntimeError with the engine's message on failure.
SqliteStatement Prepare(sqlite3* db, std::string_view sql);
// Runs statements that return no rows; throws RuntimeError on failure.
void Execute(sqlite3* db, const std::string& sql);
// A SQL identifier in double quotes.
std::string QuoteIdentifier(std::string_view name);
// A SQL text literal in single quotes.
std::string QuoteText(std::string_view text);

}  // namespace quorvane::db
