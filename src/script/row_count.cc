#include "script/row_count.h"

namespace quorvane {

int16_t CountMatchingRows(db::Recordset& rows, const std::string& criteria) {
  int16_t count = 0;
  for (rows.FindFirst(criteria); !rows.NoMatch(); rows.FindNext(criteria)) {
    count = CheckedInteger(int64_t{count} + 1);
  }
  return count;
}

}  // namespace quorvane
