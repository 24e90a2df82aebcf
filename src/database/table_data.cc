#include "database/table_data.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "database/query/criteria.h"
#include "database/jet/jet_text.h"

namespace quorvane::db {

TableData::TableData(std::string name, std::vector<ColumnInfo> columns)
    : name_(std::move(name)), columns_(std::move(columns)), content_(columns_.size()) {
  for (size_t i = 0; i < columns_.size(); ++i) {
    // The first of two columns whose names differ only in case wins.
    column_by_folded_name_.emplace(FoldCase(columns_[i].name), i);
  }
}

std::optional<size_t> TableData::FindColumn(std::string_view name) const {
  // Field names are short ASCII words: fold them on the stack.
  char folded[64] = {};
  bool ascii = name.size() <= sizeof folded;
  for (size_t i = 0; ascii && i < name.size(); ++i) {
    char c = name[i];
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    folded[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  auto it = ascii ? column_by_folded_name_.find(std::string_view(folded, name.size()))
                  : column_by_folded_name_.find(FoldCase(name));
  if (it == column_by_folded_name_.end()) return std::nullopt;
  return it->second;
}

std::optional<TableData::Place> TableData::Locate(const Variant* value) const {
  if (cells_.empty() || columns_.empty()) return std::nullopt;
  // Addresses compared as numbers: a value outside the cells may live anywhere.
  auto address = reinterpret_cast<std::uintptr_t>(value);
  auto first = reinterpret_cast<std::uintptr_t>(cells_.data());
  auto end = reinterpret_cast<std::uintptr_t>(cells_.data() + cells_.size());
  if (address < first || address >= end || (address - first) % sizeof(Variant) != 0) {
    return std::nullopt;
  }
  size_t index = (address - first) / sizeof(Variant);
  return Place{index / columns_.size(), index % columns_.size()};
}

void TableData::AddRow(std::span<Variant> values) {
  if (values.size() != columns_.size()) {
    throw std::logic_error("row of table " + name_ + " has the wrong number of values");
  }
  for (size_t column = 0; column < values.size(); ++column) {
    Variant& value = values[column];
    Content& content = content_[column];
    if (value.IsString()) {
      content.texts = true;
    } else if (!value.IsNull() && !value.IsEmpty()) {
      content.numbers = true;
      if (std::isnan(CriteriaNumber(value))) content.not_a_number = true;
    }
    cells_.push_back(std::move(value));
  }
}

}  // namespace quorvane::db
