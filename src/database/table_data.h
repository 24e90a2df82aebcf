#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/column_type.h"
#include "platform/variant.h"

namespace quorvane::db {

// The rows of one table in stored order, each value with its subtype. Record
// sets refer to rows of a loaded table by their stored position.
class TableData {
 public:
  TableData(std::string name, std::vector<ColumnInfo> columns);

  const std::string& name() const { return name_; }
  const std::vector<ColumnInfo>& columns() const { return columns_; }
  size_t column_count() const { return columns_.size(); }
  size_t row_count() const { return column_count() == 0 ? 0 : cells_.size() / column_count(); }

  // What a column holds, as criteria see its values (Null and Empty aside):
  // numbers, texts, or both; and whether some number is not a number (NaN).
  struct Content {
    bool numbers = false;
    bool texts = false;
    bool not_a_number = false;
  };
  const Content& content(size_t column) const { return content_[column]; }

  // The column with this name (without regard to case), if any.
  std::optional<size_t> FindColumn(std::string_view name) const;

  const Variant& Cell(size_t row, size_t column) const {
    return cells_[row * columns_.size() + column];
  }
  std::span<const Variant> Row(size_t row) const {
    return std::span<const Variant>(cells_).subspan(row * columns_.size(), columns_.size());
  }

  // The row and column of a value held by this table; nullopt for any other
  // value (a copy, a computed value).
  struct Place {
    size_t row;
    size_t column;
  };
  std::optional<Place> Locate(const Variant* value) const;

  // Makes room for this many rows in all.
  void Reserve(size_t rows) { cells_.reserve(rows * columns_.size()); }
  // Appends a row; `values` holds one value per column and is moved from.
  void AddRow(std::span<Variant> values);

 private:
  std::string name_;
  std::vector<ColumnInfo> columns_;
  // Folded names; looked up by string_view without a copy.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> column_by_folded_name_;
  std::vector<Variant> cells_;
  std::vector<Content> content_;
};

}  // namespace quorvane::db
