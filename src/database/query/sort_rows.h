#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/table_data.h"

namespace quorvane::db {

// One key of an ORDER BY: a column, ascending or descending.
struct SortKey {
  size_t column;
  bool descending = false;
};

// Orders stored positions by the keys as the query engine orders its rows:
// Null first (last when descending), numbers by value before texts, texts
// without regard to case; rows that tie keep their order. The table must hold
// no number that is not a number (NaN).
void SortRows(const TableData& table, const std::vector<SortKey>& keys,
              std::vector<uint32_t>& rows);

}  // namespace quorvane::db
