#pragma once

#include <map>
#include <optional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/database.h"
#include "database/query/ordered_rows.h"
#include "database/query/query_engine.h"
#include "database/query/sort_rows.h"
#include "database/table_source.h"

namespace quorvane::db {

// A mission database whose tables are read from the file on first use and
// queried through the in-memory engine.
class LoadedDatabase : public Database {
 public:
  explicit LoadedDatabase(std::unique_ptr<TableSource> source);

  std::unique_ptr<Recordset> OpenRecordset(std::string_view source) override;
  std::vector<std::string> TableNames() override;
  void ReadRows(std::string_view table,
                const std::function<void(std::span<const Variant> values)>& row) override;
  std::vector<std::string> ColumnNames(std::string_view table) override;
  std::vector<ColumnInfo> Columns(std::string_view table) override;
  std::string ValueOrigin(const Variant* value) const override;
  std::vector<std::string> TakeDiagnostics() override { return source_->TakeDiagnostics(); }
  const std::vector<TextOfNote>& TextsOfNote() const override;

 private:
  struct Table {
    std::string name;  // as the file spells it
    std::shared_ptr<const TableData> data;
    std::string engine_name;                    // empty until copied into the engine
    std::shared_ptr<OrderedRows> stored_order;  // made on first use
  };

  // The table of that name (without regard to case); throws RuntimeError
  // naming it when there is none.
  Table& Find(std::string_view name);
  const std::shared_ptr<const TableData>& Loaded(Table& table);
  const std::string& InEngine(Table& table);
  // The rows of a record-set source, selected and ordered.
  std::shared_ptr<OrderedRows> Select(std::string_view source);
  const std::shared_ptr<OrderedRows>& StoredOrder(Table& table);
  // The rows as the query engine selects and orders them.
  std::vector<uint32_t> SelectInEngine(Table& table, const std::optional<Criteria>& where,
                                       const std::vector<SortKey>& keys);

  std::unique_ptr<TableSource> source_;
  // The texts of note are looked for when they are first asked for, so that
  // reading a table that nobody watches (a dump) does not pay for it.
  mutable std::vector<TextOfNote> texts_of_note_;
  mutable std::vector<const TableData*> unsearched_;  // loaded since, in load order
  std::vector<std::string> table_names_;
  std::unordered_map<std::string, Table> tables_;  // by folded name
  std::unique_ptr<QueryEngine> engine_;            // started by the first query
  int engine_tables_ = 0;
  // The rows of each source text opened so far; a loaded table never changes,
  // so they are selected once and shared with their indexes.
  std::unordered_map<std::string, std::shared_ptr<OrderedRows>> sources_;
};

}  // namespace quorvane::db
