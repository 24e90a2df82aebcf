#include "database/sqlite/sqlite_handle.h"

#include "platform/runtime_error.h"

namespace quorvane::db {

SqliteStatement Prepare(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr);
  SqliteStatement owned(stmt);
  if (rc != SQLITE_OK) {
    throw RuntimeError(std::string(sqlite3_errmsg(db)) + " in '" + std::string(sql) + "'");
  }
  return owned;
}

void Execute(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string reason = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw RuntimeError(reason);
  }
}

namespace {

// The text between two quote marks, each quote mark inside it doubled.
std::string Enclosed(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    out += c;
    if (c == quote) out += quote;
  }
  return out + quote;
}

}  // namespace

std::string QuoteIdentifier(std::string_view name) { return Enclosed(name, '"'); }

std::string QuoteText(std::string_view text) { return Enclosed(text, '\''); }

}  // namespace quorvane::db
