#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "database/column_type.h"
#include "database/table_data.h"

namespace quorvane::db {

// A database file as a set of tables (a Jet file or a SQLite file).
class TableSource {
 public:
  virtual ~TableSource() = default;
  // The user tables, in the file's order.
  virtual std::vector<std::string> TableNames() = 0;
  // The columns of a table named exactly as TableNames gives it.
  virtual std::vector<ColumnInfo> Columns(const std::string& table) = 0;
  // All rows of the table in stored order. Throws RuntimeError when the file
  // turns out to be damaged.
  virtual TableData Load(const std::string& table) = 0;
  // Hands each row of the table to `row` in stored order, its values in
  // column order, and keeps none; `row` may take the values. Throws
  // RuntimeError when the file turns out to be damaged, after handing over
  // the rows before the damage.
  using RowReader = std::function<void(std::span<Variant> values)>;
  virtual void ReadRows(const std::string& table, const RowReader& row) = 0;
  // What the file's reader had to say about it (warnings of a damaged file)
  // since the last call.
  virtual std::vector<std::string> TakeDiagnostics() { return {}; }
};

}  // namespace quorvane::db
