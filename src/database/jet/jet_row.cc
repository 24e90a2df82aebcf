#include "database/jet/jet_row.h"

#include <algorithm>
#include <optional>

namespace quorvane::db {
namespace {

// A Jet 3 row's variable offsets are single bytes; a jump table counts the
// 256-byte boundaries the variable data crosses.
constexpr long kJet3JumpSpan = 256;

// The parts of a row around its values: the column count at the start, and
// at the end the null mask, before it the variable-column count and before
// that the offset table (last column's offset first, the end of the variable
// data last).
struct RowFrame {
  long count_size = 0;  // bytes of the column count: 1 in Jet 3, 2 in Jet 4
  unsigned columns = 0;
  long null_mask = 0;             // where the null mask begins
  long values_end = 0;            // where the trailer begins
  std::vector<long> var_offsets;  // variable count + 1 entries
};

long NullMaskSize(unsigned columns) { return (static_cast<long>(columns) + 7) / 8; }

// The column count at the start of a row and the null mask at its end, the
// same in both formats but for the count's width (1 or 2 bytes).
std::optional<RowFrame> FrameHead(const JetBytes& row, long count_size) {
  const long size = static_cast<long>(row.size());
  RowFrame frame;
  frame.count_size = count_size;
  if (size < frame.count_size) return std::nullopt;
  frame.columns = count_size == 2 ? row.U16(0) : row.U8(0);
  frame.values_end = size - NullMaskSize(frame.columns);
  if (frame.values_end < frame.count_size) return std::nullopt;
  frame.null_mask = frame.values_end;
  return frame;
}

std::optional<RowFrame> Jet4Frame(const JetBytes& row, bool has_var_table) {
  const long size = static_cast<long>(row.size());
  std::optional<RowFrame> head = FrameHead(row, 2);
  if (!head || !has_var_table) return head;
  RowFrame frame = std::move(*head);
  const long mask = size - frame.null_mask;
  frame.values_end -= 2;
  if (frame.values_end < frame.count_size) return std::nullopt;
  long var_count = row.U16(static_cast<size_t>(frame.values_end));
  frame.values_end -= 2 * (var_count + 1);
  if (frame.values_end < frame.count_size) return std::nullopt;
  for (long i = 0; i <= var_count; ++i) {
    frame.var_offsets.push_back(row.U16(static_cast<size_t>(size - mask - 4 - 2 * i)));
  }
  return frame;
}

std::optional<RowFrame> Jet3Frame(const JetBytes& row, bool has_var_table) {
  const long size = static_cast<long>(row.size());
  std::optional<RowFrame> head = FrameHead(row, 1);
  if (!head || !has_var_table) return head;
  RowFrame frame = std::move(*head);
  const long mask = size - frame.null_mask;
  long last = size - 1;
  if (last - mask < frame.count_size) return std::nullopt;
  long var_count = row.U8(static_cast<size_t>(last - mask));
  long jumps = (size - 1) / kJet3JumpSpan;
  long table = last - mask - jumps - 1;  // the first variable column's offset
  frame.values_end = table - var_count;
  if (frame.values_end < frame.count_size) return std::nullopt;
  // The last jump is a dummy when the offsets themselves do not cross it.
  if ((table - var_count) / kJet3JumpSpan < jumps) --jumps;
  long jumps_used = 0;
  for (long i = 0; i <= var_count; ++i) {
    while (jumps_used < jumps && row.U8(static_cast<size_t>(last - mask - jumps_used - 1)) == i)
      ++jumps_used;
    frame.var_offsets.push_back(row.U8(static_cast<size_t>(table - i)) +
                                jumps_used * kJet3JumpSpan);
  }
  return frame;
}

bool IsPresent(const JetBytes& row, const RowFrame& frame, unsigned number) {
  return number < frame.columns &&
         (row.U8(static_cast<size_t>(frame.null_mask) + number / 8) >> (number % 8) & 1);
}

// The bytes of a present value, or false when they lie outside the values.
bool LocateValue(const JetBytes& row, const RowFrame& frame, const JetColumnLayout& column,
                 JetFieldBytes& field) {
  long begin;
  long end;
  long limit = frame.values_end;
  if (column.is_fixed) {
    begin = frame.count_size + static_cast<long>(column.fixed_offset);
    end = begin + static_cast<long>(column.fixed_size);
    // The variable data follows the fixed part.
    if (!frame.var_offsets.empty()) limit = std::min(limit, frame.var_offsets[0]);
  } else {
    if (column.var_index + 1 >= frame.var_offsets.size()) return false;
    begin = frame.var_offsets[column.var_index];
    end = frame.var_offsets[column.var_index + 1];
  }
  if (begin < frame.count_size || begin > end || end > limit) return false;
  field.bytes = row.Slice(static_cast<size_t>(begin), static_cast<size_t>(end - begin));
  field.is_null = false;
  return true;
}

}  // namespace

bool SplitJetRow(const JetRowBytes& row, int jet_version, bool has_var_table,
                 const std::vector<JetColumnLayout>& columns, std::vector<JetFieldBytes>& fields) {
  std::optional<RowFrame> frame;
  try {
    frame = jet_version == 3 ? Jet3Frame(row.bytes, has_var_table)
                             : Jet4Frame(row.bytes, has_var_table);
  } catch (const JetOutOfBounds&) {
    return false;
  }
  if (!frame) return false;
  fields.assign(columns.size(), JetFieldBytes{});
  for (size_t i = 0; i < columns.size(); ++i) {
    bool present = IsPresent(row.bytes, *frame, columns[i].number);
    if (columns[i].is_bit) {
      fields[i].is_null = !present;
    } else if (present && !LocateValue(row.bytes, *frame, columns[i], fields[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace quorvane::db
