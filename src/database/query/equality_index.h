#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "database/query/criteria.h"
#include "platform/variant.h"

namespace quorvane::db {

class OrderedRows;

// The rows of a record-set order keyed by their values in a set of columns,
// for searches that compare each of those columns with a constant. A key is a
// hash of the values as criteria compare them (numbers by value, texts
// without regard to case), so the rows under a key are candidates that the
// search still checks; rows with Null in a key column are left out, as no
// equality holds for them.
class EqualityIndex {
 public:
  EqualityIndex(const OrderedRows& rows, std::vector<size_t> columns);

  const std::vector<size_t>& columns() const { return columns_; }

  // The positions (ascending) of the candidate rows for a key.
  std::span<const uint32_t> Candidates(uint64_t key) const;

  // The key of one value of each column, in the order of columns().
  static uint64_t Combine(uint64_t key, uint64_t value_hash);
  static constexpr uint64_t kEmptyKey = 0x51ed270b27a8f9c3u;
  static uint64_t HashNumber(double number);
  static uint64_t HashText(std::string_view text);
  // The hash of a cell; the cell must not be Null or Empty.
  static uint64_t HashValue(const Variant& value);

 private:
  std::vector<size_t> columns_;
  std::vector<uint64_t> keys_;       // ascending
  std::vector<uint32_t> positions_;  // beside keys_, ascending within one key
};

}  // namespace quorvane::db
