#include "database/query/dynaset.h"

#include <algorithm>

namespace quorvane::db {

Dynaset::Dynaset(std::shared_ptr<OrderedRows> rows)
    : rows_(std::move(rows)), reached_(rows_->size() == 0 ? 0 : 1) {}

void Dynaset::CheckOpen() const {
  if (!rows_) throw RuntimeError("Operation is not allowed on a closed record set.");
}

const Variant& Dynaset::Field(std::string_view name) const {
  CheckOpen();
  const TableData& table = rows_->table();
  const NamedColumn* named = nullptr;
  for (const NamedColumn& known : named_columns_) {
    if (known.name.size() == name.size() && !known.name.empty() && known.name == name) {
      named = &known;
      break;
    }
  }
  if (!named) {
    auto column = table.FindColumn(name);
    if (!column) {
      throw RuntimeError("Item not found in this collection: no field '" + std::string(name) +
                         "' in " + table.name() + ".");
    }
    NamedColumn& slot = named_columns_[next_named_++ % named_columns_.size()];
    slot = {std::string(name), *column};
    named = &slot;
  }
  if (position_ >= size()) throw RuntimeError("No current record.");
  return table.Cell(rows_->RowAt(position_), named->column);
}

void Dynaset::Reach(size_t position) {
  position_ = position;
  if (position < size()) reached_ = std::max(reached_, position + 1);
}

void Dynaset::Search(std::string_view criteria, size_t start) {
  CheckOpen();
  auto found = rows_->Find(criteria, start);
  no_match_ = !found;
  // A search that finds nothing has read every row and leaves the current
  // row as it was.
  if (found) {
    Reach(*found);
  } else {
    reached_ = size();
  }
}

void Dynaset::FindFirst(std::string_view criteria) { Search(criteria, 0); }

void Dynaset::FindNext(std::string_view criteria) { Search(criteria, position_ + 1); }

void Dynaset::MoveFirst() {
  CheckOpen();
  if (size() != 0) Reach(0);
}

void Dynaset::MoveLast() {
  CheckOpen();
  if (size() != 0) Reach(size() - 1);
}

void Dynaset::MoveNext() {
  CheckOpen();
  if (position_ >= size()) throw RuntimeError("No current record.");
  Reach(position_ + 1);
}

bool Dynaset::Eof() const {
  CheckOpen();
  return position_ >= size();
}

int32_t Dynaset::RecordCount() const {
  CheckOpen();
  return static_cast<int32_t>(reached_);
}

void Dynaset::Close() {
  CheckOpen();
  rows_.reset();
}

}  // namespace quorvane::db
