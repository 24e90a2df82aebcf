#include "database/dynaset.h"

#include <algorithm>

#include "database/jet_text.h"

namespace quorvane::db {

Dynaset::Dynaset(std::shared_ptr<const TableData> table, std::vector<uint32_t> rows)
    : table_(std::move(table)), rows_(std::move(rows)), reached_(rows_.empty() ? 0 : 1) {}

void Dynaset::CheckOpen() const {
  if (closed_) throw RuntimeError("Operation is not allowed on a closed record set.");
}

const Variant& Dynaset::Field(std::string_view name) const {
  CheckOpen();
  auto column = table_->FindColumn(name);
  if (!column) {
    throw RuntimeError("Item not found in this collection: no field '" + std::string(name) +
                       "' in " + table_->name() + ".");
  }
  if (position_ >= rows_.size()) throw RuntimeError("No current record.");
  return table_->Cell(rows_[position_], *column);
}

const Criteria& Dynaset::Parsed(std::string_view text) {
  // The compiler repeats one criteria text many times in a row.
  if (!last_criteria_ || last_criteria_->text() != text) {
    last_criteria_.emplace(Criteria::Parse(text, *table_));
  }
  return *last_criteria_;
}

const Dynaset::EqualityIndex& Dynaset::IndexOf(size_t column) {
  auto [it, inserted] = indexes_.try_emplace(column);
  EqualityIndex& index = it->second;
  if (!inserted) return index;
  ValueKind kind = KindOf(table_->columns()[column].type);
  for (size_t position = 0; position < rows_.size() && index.usable; ++position) {
    const Variant& value = table_->Cell(rows_[position], column);
    if (value.IsNull() || value.IsEmpty()) continue;
    if (value.IsString() != (kind == ValueKind::kText)) {
      index.usable = false;
    } else if (value.IsString()) {
      index.texts[FoldCase(value.text_value())].push_back(static_cast<uint32_t>(position));
    } else {
      index.numbers[CriteriaNumber(value) + 0.0].push_back(static_cast<uint32_t>(position));
    }
  }
  return index;
}

std::optional<size_t> Dynaset::Find(std::string_view text, size_t start) {
  CheckOpen();
  const Criteria& criteria = Parsed(text);
  auto matches = [&](size_t position) {
    return criteria.Evaluate(*table_, rows_[position]) == Truth::kTrue;
  };
  if (auto equality = criteria.IndexableEquality()) {
    const EqualityIndex& index = IndexOf(equality->column);
    if (index.usable) {
      const std::vector<uint32_t>* candidates = nullptr;
      if (const double* number = std::get_if<double>(&equality->key)) {
        auto it = index.numbers.find(*number);
        if (it != index.numbers.end()) candidates = &it->second;
      } else {
        auto it = index.texts.find(std::get<std::string>(equality->key));
        if (it != index.texts.end()) candidates = &it->second;
      }
      if (!candidates) return std::nullopt;
      for (auto it = std::lower_bound(candidates->begin(), candidates->end(), start);
           it != candidates->end(); ++it) {
        if (matches(*it)) return *it;
      }
      return std::nullopt;
    }
  }
  for (size_t position = start; position < rows_.size(); ++position) {
    if (matches(position)) return position;
  }
  return std::nullopt;
}

void Dynaset::Reach(size_t position) {
  position_ = position;
  if (position < rows_.size()) reached_ = std::max(reached_, position + 1);
}

void Dynaset::FindFirst(std::string_view criteria) {
  auto found = Find(criteria, 0);
  no_match_ = !found;
  // A search that finds nothing has read every row and leaves the current
  // row as it was.
  if (found) {
    Reach(*found);
  } else {
    reached_ = rows_.size();
  }
}

void Dynaset::FindNext(std::string_view criteria) {
  auto found = Find(criteria, position_ + 1);
  no_match_ = !found;
  if (found) {
    Reach(*found);
  } else {
    reached_ = rows_.size();
  }
}

void Dynaset::MoveFirst() {
  CheckOpen();
  if (!rows_.empty()) Reach(0);
}

void Dynaset::MoveLast() {
  CheckOpen();
  if (!rows_.empty()) Reach(rows_.size() - 1);
}

void Dynaset::MoveNext() {
  CheckOpen();
  if (position_ >= rows_.size()) throw RuntimeError("No current record.");
  Reach(position_ + 1);
}

bool Dynaset::Eof() const {
  CheckOpen();
  return position_ >= rows_.size();
}

int32_t Dynaset::RecordCount() const {
  CheckOpen();
  return static_cast<int32_t>(reached_);
}

void Dynaset::Close() {
  CheckOpen();
  closed_ = true;
  last_criteria_.reset();
  indexes_.clear();
  rows_.clear();
  table_.reset();
}

}  // namespace quorvane::db
