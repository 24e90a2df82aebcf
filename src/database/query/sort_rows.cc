#include "database/query/sort_rows.h"

#include <algorithm>

#include "database/query/criteria.h"
#include "database/jet/jet_text.h"

namespace quorvane::db {
namespace {

// Null, then numbers, then texts.
int Rank(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return 0;
  return value.IsString() ? 2 : 1;
}

int CompareValues(const Variant& a, const Variant& b) {
  int rank_a = Rank(a);
  int rank_b = Rank(b);
  if (rank_a != rank_b) return rank_a < rank_b ? -1 : 1;
  if (rank_a == 1) {
    double x = CriteriaNumber(a);
    double y = CriteriaNumber(b);
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (rank_a == 2) return CompareText(a.text_value(), b.text_value());
  return 0;
}

}  // namespace

void SortRows(const TableData& table, const std::vector<SortKey>& keys,
              std::vector<uint32_t>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [&](uint32_t a, uint32_t b) {
    for (const SortKey& key : keys) {
      int c = CompareValues(table.Cell(a, key.column), table.Cell(b, key.column));
      if (c != 0) return key.descending ? c > 0 : c < 0;
    }
    return false;
  });
}

}  // namespace quorvane::db
