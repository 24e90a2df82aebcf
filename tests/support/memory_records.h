#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/database.h"

namespace quorvane::testing_support {

// One row: field names (any case) and their values.
using MemoryRow = std::vector<std::pair<std::string, Variant>>;

// A record set over rows held in memory, for unit tests of writers that read
// record sets. Criteria are terms "[Field] = value" joined by " AND ", the
// value a number, TRUE, FALSE or a quoted text (compared ignoring case).
class MemoryRecordset : public db::Recordset {
 public:
  explicit MemoryRecordset(std::vector<MemoryRow> rows) : rows_(std::move(rows)) {}

  const Variant& Field(std::string_view name) const override;
  void FindFirst(std::string_view criteria) override { Find(criteria, 0); }
  void FindNext(std::string_view criteria) override { Find(criteria, current_ + 1); }
  bool NoMatch() const override { return no_match_; }
  void MoveFirst() override { current_ = 0; }
  void MoveLast() override { current_ = rows_.empty() ? 0 : rows_.size() - 1; }
  void MoveNext() override;
  bool Eof() const override { return current_ >= rows_.size(); }
  int32_t RecordCount() const override { return static_cast<int32_t>(rows_.size()); }
  void Close() override {}

 private:
  void Find(std::string_view criteria, size_t from);

  std::vector<MemoryRow> rows_;
  size_t current_ = 0;
  bool no_match_ = false;
};

// Tables by name; every OpenRecordset gets a fresh record set on the whole table.
class MemoryDatabase : public db::Database {
 public:
  void AddTable(const std::string& name, std::vector<MemoryRow> rows) { tables_[name] = rows; }

  std::unique_ptr<db::Recordset> OpenRecordset(std::string_view source) override;
  std::vector<std::string> TableNames() override;
  std::vector<std::string> ColumnNames(std::string_view table) override;

 private:
  std::map<std::string, std::vector<MemoryRow>, std::less<>> tables_;
};

}  // namespace quorvane::testing_support
