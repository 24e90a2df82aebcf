// Jet and SQLite file bytes: open, list the tables, load every table.
#include <sstream>

#include "database/database.h"
#include "forms/tsv_form.h"
#include "scratch.h"
#include "targets.h"

namespace quorvane::fuzz {
namespace {

void ReadEveryTable(const std::string& path) {
  std::unique_ptr<db::Database> database;
  try {
    database = db::OpenDatabase(path);
  } catch (const db::OpenError&) {
    return;
  }
  std::vector<std::string> tables;
  try {
    tables = database->TableNames();
  } catch (const RuntimeError&) {
    return;
  }
  for (const std::string& table : tables) {
    try {
      std::ostringstream out;
      db::WriteTableTsv(*database, table, out);
      auto rows = database->OpenRecordset(table);
      rows->MoveLast();
      auto columns = database->ColumnNames(table);
      if (columns.empty()) continue;
      auto sorted = database->OpenRecordset("SELECT * FROM [" + table + "] ORDER BY [" +
                                            columns.front() + "] DESC");
      sorted->MoveLast();
    } catch (const RuntimeError&) {
      // A damaged table fails to read with a clear error.
    }
  }
}

}  // namespace

void JetFile(const uint8_t* data, size_t size) {
  ReadEveryTable(WriteScratchFile("input.mdb", data, size));
}

void SqliteFile(const uint8_t* data, size_t size) {
  ReadEveryTable(WriteScratchFile("input.sqlite", data, size));
}

}  // namespace quorvane::fuzz
