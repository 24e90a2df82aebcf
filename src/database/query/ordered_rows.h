#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/query/criteria.h"
#include "database/query/equality_index.h"
#include "database/table_data.h"

namespace quorvane::db {

// The rows of one loaded table in the order of a record-set source (a query,
// or the whole table in stored order), shared by every record set opened on
// that source. A loaded table never changes, so what a search learns stays
// true: each criteria text is parsed once, and each set of columns that
// searches compare for equality gets one index, built on first use.
// Not safe for use from two threads at once.
class OrderedRows {
 public:
  // The whole table in stored order.
  explicit OrderedRows(std::shared_ptr<const TableData> table);
  // The given stored positions, in this order.
  OrderedRows(std::shared_ptr<const TableData> table, std::vector<uint32_t> rows);

  const TableData& table() const { return *table_; }
  size_t size() const { return stored_order_ ? table_->row_count() : rows_.size(); }
  // The stored position of the row at `position` in this order.
  uint32_t RowAt(size_t position) const {
    return stored_order_ ? static_cast<uint32_t>(position) : rows_[position];
  }

  // The first position at or after `start` whose row meets the criteria: the
  // row a scan from `start` would stop at. Throws RuntimeError as the scan
  // would for a criteria text that does not parse or does not fit the rows.
  std::optional<size_t> Find(std::string_view criteria, size_t start);

  // The stored positions of every row that meets the criteria, in this order.
  // The criteria must never compare a text with a number here
  // (Criteria::NeverMismatches).
  std::vector<uint32_t> Matching(Criteria criteria);

 private:
  struct SearchPlan {
    Criteria criteria;
    const EqualityIndex* index = nullptr;  // null: scan every row
    uint64_t key = 0;                      // of the rows `index` holds candidates for
  };

  // The commonest search, "[Field] = number" on a column of numbers, found
  // without parsing a criteria: nullopt when the text is not of that form.
  std::optional<std::optional<size_t>> FindNumber(std::string_view criteria, size_t start);
  const SearchPlan& PlanFor(std::string_view criteria);
  SearchPlan MakePlan(Criteria criteria);
  const EqualityIndex& IndexOn(const std::vector<size_t>& columns);
  std::optional<size_t> Scan(const Criteria& criteria, size_t start) const;

  std::shared_ptr<const TableData> table_;
  bool stored_order_;
  std::vector<uint32_t> rows_;  // stored positions, unless in stored order
  std::unordered_map<std::string, std::unique_ptr<SearchPlan>> plans_;
  std::map<std::vector<size_t>, std::unique_ptr<EqualityIndex>> indexes_;
  std::vector<const EqualityIndex*> column_indexes_;  // of one column, by column
};

}  // namespace quorvane::db
