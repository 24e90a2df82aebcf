#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "database/column_type.h"
#include "database/table_data.h"

namespace quorvane::db {

// A user table of a Jet file as its catalog lists it.
struct JetTable {
  std::string name;
  uint32_t definition_page = 0;
  std::vector<ColumnInfo> columns;
};

// Reads a Jet 3 or Jet 4 file held in memory through libmdb, in this process.
// The catalog is read here rather than by libmdb, which would also parse the
// objects' property blobs, which the mission needs not and which damaged
// files make libmdb loop on.
class JetReader {
 public:
  // Reads the header, the catalog and every user table's definition. Throws
  // OpenError when they are damaged. `bytes` must outlive the reader.
  JetReader(const std::vector<char>& bytes, int jet_version);
  ~JetReader();
  JetReader(const JetReader&) = delete;
  JetReader& operator=(const JetReader&) = delete;

  // The user tables in catalog order.
  const std::vector<JetTable>& tables() const { return tables_; }

  // Every row of a table in stored order. Throws RuntimeError for damage.
  TableData Load(const JetTable& table);

  struct Handle;

 private:
  std::unique_ptr<Handle> handle_;
  std::vector<JetTable> tables_;
};

}  // namespace quorvane::db
