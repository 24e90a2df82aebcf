#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "database/column_type.h"
#include "database/jet/jet_header.h"
#include "database/jet/jet_page.h"
#include "database/jet/jet_table_def.h"
#include "database/table_data.h"

namespace quorvane::db {

// A user table of a Jet file as its catalog lists it.
struct JetTable {
  std::string name;
  uint32_t definition_page = 0;
  std::vector<ColumnInfo> columns;
};

// Reads a Jet 3 or Jet 4 file from its bytes. Opening reads the header, the
// catalog and each user table's definition; a table's rows are decoded only
// when it is loaded.
class JetReader {
 public:
  // Throws OpenError when the header, the catalog or a definition is
  // damaged.
  explicit JetReader(JetPages pages);

  // The user tables in catalog order.
  const std::vector<JetTable>& tables() const { return tables_; }

  // Every row of a table in stored order. Throws RuntimeError for damage.
  TableData Load(const JetTable& table) const;
  // Hands the decoded values of each row of a table to `row` in stored
  // order, keeping none; `row` may take them. Throws RuntimeError for
  // damage, after the rows before it.
  void ReadRows(const JetTable& table, const std::function<void(std::span<Variant>)>& row) const;

 private:
  // Calls `row` with the fields of each live row of the table in stored
  // order: data pages in the order of the usage map, rows in slot order, a
  // moved row where its first slot is.
  template <typename RowFunction>
  void ForEachRow(const JetTableDef& table, const std::string& name, RowFunction row) const;
  void ReadCatalog();
  // Throws RuntimeError when the table's definition was not read.
  const JetTableDef& Definition(const JetTable& table) const;

  JetHeader header_;
  JetPages pages_;
  std::map<uint32_t, JetTableDef> definitions_;  // by definition page
  std::vector<JetTable> tables_;
};

}  // namespace quorvane::db
