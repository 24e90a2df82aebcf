// Criteria text against a small table of every column type. The record set's
// search (FindFirst, FindNext) and a query's WHERE clause read the condition
// each in their own way; they must select the same rows.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "database/database.h"
#include "scratch.h"
#include "targets.h"

namespace quorvane::fuzz {
namespace {

// Rows of mixed case, accents, quotes, Nulls and the edges of each type.
constexpr char kUnitsSql[] = R"(
CREATE TABLE Units (Seq INTEGER, Name TEXT(50), Alignment TEXT(20), Notes LONGTEXT,
  MWID INTEGER, Role SMALLINT, Tons BYTE, Speed REAL, Heading DOUBLE, Cost CURRENCY,
  Exact DECIMAL, Built DATETIME, Captureable YESNO);
INSERT INTO Units VALUES
  (1, 'Atlas', 'Inner Sphere', 'lead', 7, 1, 100, 64.5, 0.25, 12.5, '1.25',
   '2001-09-11 13:45:30', -1),
  (2, 'atlas', 'inner sphere', NULL, -7, -1, 0, -0.5, -1e10, -0.0001, '-3',
   '1899-12-30 00:00:00', 0),
  (3, 'Élan', 'Clan', 'it''s', 2147483647, 32767, 255, 3.4e38, 1e300, 922337203685477.5807,
   '12345678901234567890.5', '2100-01-01 00:00:00', 1),
  (4, 'O''Brien', 'Other', '"quoted"', -2147483648, -32768, 1, 0, -0.0, 0, '0',
   '1900-03-01 06:00:00', NULL),
  (5, '', 'aTrain', '', 0, 0, 50, NULL, NULL, NULL, NULL, NULL, 0),
  (6, NULL, NULL, NULL, NULL, NULL, NULL, 1.5, 2.5, 0.5, '0.5', '2000-02-29 12:30:00', -1),
  (7, 'ZEUS', 'CLAN', 'Zeus', 12, 3, 80, 1, 1, 1, '1', '1999-12-31 23:59:59', -1);
)";

// Inputs read from one open database before it is opened anew: it keeps the
// rows of every source text it was given, which would grow without end.
constexpr int kInputsPerOpening = 4096;

db::Database& Units() {
  static const std::string path = [] {
    std::string file = ScratchFolder() + "/units.sqlite";
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK ||
        sqlite3_exec(db, kUnitsSql, nullptr, nullptr, nullptr) != SQLITE_OK) {
      Fault("cannot build the criteria table");
    }
    sqlite3_close(db);
    return file;
  }();
  static std::unique_ptr<db::Database> database;
  static int inputs = 0;
  if (database == nullptr || ++inputs % kInputsPerOpening == 0) database = db::OpenDatabase(path);
  return *database;
}

// The Seq of each row the search finds, in order; nullopt when the criteria
// is refused.
std::optional<std::vector<int32_t>> Search(const std::string& criteria) {
  std::vector<int32_t> found;
  try {
    auto rows = Units().OpenRecordset("Units");
    rows->FindFirst(criteria);
    while (!rows->NoMatch()) {
      found.push_back(rows->Field("Seq").ToLong());
      rows->FindNext(criteria);
    }
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  return found;
}

std::optional<std::vector<int32_t>> Select(const std::string& criteria) {
  std::vector<int32_t> found;
  try {
    auto rows = Units().OpenRecordset("SELECT * FROM [Units] WHERE " + criteria);
    while (!rows->Eof()) {
      found.push_back(rows->Field("Seq").ToLong());
      rows->MoveNext();
    }
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  return found;
}

}  // namespace

void CriteriaText(const uint8_t* data, size_t size) {
  std::string criteria(reinterpret_cast<const char*>(data), size);
  auto searched = Search(criteria);
  if (!searched) return;
  // A condition the search takes is taken by a query too, with the same rows
  // (a query may refuse more: its text must also parse as a whole SELECT).
  auto selected = Select(criteria);
  if (selected && *searched != *selected) {
    Fault("FindFirst/FindNext and WHERE select different rows for: " + criteria);
  }
}

}  // namespace quorvane::fuzz
