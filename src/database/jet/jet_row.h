#pragma once

#include <cstddef>
#include <vector>

#include "database/jet/jet_page.h"

namespace quorvane::db {

// Where the value of a column lies in the rows of its table. Numbers count
// deleted columns too: a row keeps their bits and offsets until it is
// rewritten.
struct JetColumnLayout {
  unsigned number = 0;      // the column's bit in a row's null mask
  bool is_fixed = true;     // in the fixed part, else in the variable part
  bool is_bit = false;      // Yes/No: the null-mask bit is the value itself
  size_t fixed_offset = 0;  // of a fixed value, after the row's column count
  size_t fixed_size = 0;
  unsigned var_index = 0;  // of a variable value, in the row's offset table
};

// One value of a row as stored: its bytes, or Null. A Yes/No value has no
// bytes and is Yes exactly when it is not Null.
struct JetFieldBytes {
  JetBytes bytes;
  bool is_null = true;
};

// Splits a row into the values of `columns`, in their order. `has_var_table`
// tells whether rows of the table end in a variable-column offset table
// (whether the table has, or had, a variable-length column). A column that
// is not in the row (added after the row was written) is Null. False when
// the row's bytes do not hold what its header and offsets say.
bool SplitJetRow(const JetRowBytes& row, int jet_version, bool has_var_table,
                 const std::vector<JetColumnLayout>& columns, std::vector<JetFieldBytes>& fields);

}  // namespace quorvane::db
