#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/sqlite/sqlite_handle.h"
#include "database/table_data.h"

namespace quorvane::db {

// The in-memory SQLite database that selects and orders rows. It holds, for
// each loaded table, the comparison form of every value (Yes/No as -1 and 0,
// Currency and Date as numbers, text compared with the JET collation) under
// the column names c0, c1, ...; the rowid is the stored position + 1.
class QueryEngine {
 public:
  QueryEngine();

  // Copies a table into the engine as `engine_table` (a plain identifier).
  void AddTable(const std::string& engine_table, const TableData& table);

  // The stored positions of the rows that meet `where_sql` (empty: all), in
  // the order of `order_sql` ("c2 DESC, c0 ASC", empty: none); rows that tie
  // keep their stored order.
  std::vector<uint32_t> Select(const std::string& engine_table, const std::string& where_sql,
                               const std::string& order_sql);

 private:
  SqliteDb db_;
};

}  // namespace quorvane::db
