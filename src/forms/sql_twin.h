#pragma once

#include <ostream>
#include <string>

#include "database/database.h"

namespace quorvane::db {

// Writes every table of a database as SQL text that SQLite turns into its
// twin: one CREATE TABLE per table in the file's order, each column declared
// with its Access type name (YESNO, SMALLINT, INTEGER, REAL, FLOAT, TEXT, ...),
// then each table's rows in stored order as INSERT statements, Nulls as NULL,
// texts in UTF-8 with control characters written as char(n).
void WriteSqlTwin(Database& database, std::ostream& out);

// Creates a SQLite database file at `path` (which must not exist) by running
// SQL text. Throws RuntimeError when SQLite refuses.
void CreateSqliteDatabase(const std::string& path, const std::string& sql);

}  // namespace quorvane::db
