#include "database/sqlite/sqlite_open.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "database/database.h"

namespace quorvane::db {
namespace {

// A file: URI for the path, with the characters that URIs reserve escaped. An
// absolute path gets an empty authority ("file://" and the path), so that a
// path starting with "//" is not read as a host name. `immutable` reads the
// main file alone: no locks, no log, no side files.
std::string FileUri(const std::string& path, bool immutable) {
  std::string uri = path.starts_with('/') ? "file://" : "file:";
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned char>(c));
      uri += buffer;
    } else {
      uri += c;
    }
  }
  return uri + (immutable ? "?mode=ro&immutable=1" : "?mode=ro");
}

uintmax_t SizeOf(const std::string& path) {
  std::error_code error;
  uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

// Bytes of committed changes the write-ahead log may hold beyond the file.
bool HasLoggedChanges(const std::string& path) { return SizeOf(path + "-wal") > 0; }

SqliteDb Connect(const std::string& path, bool immutable) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(FileUri(path, immutable).c_str(), &raw,
                           SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
  SqliteDb db(raw);
  if (rc != SQLITE_OK) throw OpenError(raw ? sqlite3_errmsg(raw) : "cannot open the SQLite file");
  sqlite3_extended_result_codes(raw, 1);
  sqlite3_busy_timeout(raw, kSqliteBusyMilliseconds);
  return db;
}

std::string Text(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text ? text : "";
}

// The refusal of a damaged file: its first problem, and where to read the rest.
[[noreturn]] void RefuseDamaged(const std::string& path, const std::vector<std::string>& problems) {
  std::string reason = "the SQLite file is damaged: " + problems.front();
  if (problems.size() > 1) {
    reason += " (and more: sqlite3 '" + path + "' 'PRAGMA integrity_check' lists them)";
  }
  throw OpenError(reason);
}

// What a failure to read the file means, in one line that says what to do.
std::string Refusal(int code, const std::string& path, const std::string& engine_message) {
  switch (code) {
    case SQLITE_READONLY_ROLLBACK:
      return "an interrupted change waits in the database's hot journal '" + path +
             "-journal': open the database once with sqlite3 to finish it (Quorvane only reads "
             "database files)";
    case SQLITE_BUSY:
    case SQLITE_BUSY_RECOVERY:
    case SQLITE_BUSY_SNAPSHOT:
    case SQLITE_LOCKED:
      return "another program holds the database locked (waited " +
             std::to_string(kSqliteBusyMilliseconds / 1000) +
             " seconds): close it, or let it finish, and run again";
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY_CANTINIT:
    case SQLITE_READONLY_RECOVERY:
      if (HasLoggedChanges(path)) {
        return "the committed changes in '" + path +
               "-wal' cannot be read: SQLite cannot create its shared-memory file '" + path +
               "-shm' there: open the database once with sqlite3 where its folder is writable";
      }
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return "the SQLite file is damaged: " + engine_message;
    default:
      break;
  }
  return engine_message;
}

// The codes of a failure to read that say something of the file's state
// rather than of its content.
bool IsStateOfFile(int code) {
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
      return true;
    default:
      return false;
  }
}

// The problems PRAGMA quick_check finds, at most two; {"ok"} for a sound file.
std::vector<std::string> QuickCheck(sqlite3* db) {
  auto check = Prepare(db, "PRAGMA quick_check(2)");
  std::vector<std::string> problems;
  int rc;
  while ((rc = sqlite3_step(check.get())) == SQLITE_ROW) problems.push_back(Text(check.get(), 0));
  if (rc != SQLITE_DONE) throw RuntimeError(sqlite3_errmsg(db));
  return problems;
}

// The first column of the first row of a statement that gives one.
std::string OneValue(sqlite3* db, const char* sql) {
  auto stmt = Prepare(db, sql);
  if (sqlite3_step(stmt.get()) != SQLITE_ROW) throw RuntimeError(sqlite3_errmsg(db));
  return Text(stmt.get(), 0);
}

// Checks the file inside a read transaction, which stays open in
// write-ahead-log mode. Returns SQLITE_OK, or the code of a failure that comes
// from the file's state (locked, an interrupted change, no shared memory);
// throws OpenError for a damaged or truncated file.
int Verify(sqlite3* db, const std::string& path) {
  try {
    Execute(db, "BEGIN");
    std::vector<std::string> problems = QuickCheck(db);
    if (problems.empty() || problems.front() != "ok") RefuseDamaged(path, problems);
    // A file cut short inside its last page can still pass the check; bytes
    // beyond the last page are allowed. Pages still in the log are not in the
    // file yet.
    auto needed = std::stoull(
        OneValue(db, "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size"));
    if (!HasLoggedChanges(path) && SizeOf(path) < needed) {
      throw OpenError("the SQLite file is truncated");
    }
    // Outside write-ahead-log mode a held read lock would stop the designer's
    // editor from saving.
    if (OneValue(db, "PRAGMA journal_mode") != "wal") Execute(db, "COMMIT");
  } catch (const RuntimeError& error) {
    int code = sqlite3_extended_errcode(db);
    if (IsStateOfFile(code)) return code;
    throw OpenError(Refusal(code, path, code == SQLITE_OK ? error.what() : sqlite3_errmsg(db)));
  }
  return SQLITE_OK;
}

}  // namespace

SqliteDb OpenCheckedSqlite(const std::string& path) {
  SqliteDb db = Connect(path, false);
  int rc = Verify(db.get(), path);
  // A database in write-ahead-log mode whose folder does not let SQLite create
  // its shared-memory file: with no changes waiting in the log, the file alone
  // holds everything committed.
  if ((rc == SQLITE_CANTOPEN || rc == SQLITE_READONLY_CANTINIT) && !HasLoggedChanges(path)) {
    db = Connect(path, true);
    rc = Verify(db.get(), path);
  }
  if (rc != SQLITE_OK) throw OpenError(Refusal(rc, path, sqlite3_errmsg(db.get())));
  return db;
}

}  // namespace quorvane::db
