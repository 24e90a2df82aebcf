#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/query/sql_tokens.h"

namespace quorvane::db {

// A record-set source split into its parts:
//   SELECT * FROM [T] [WHERE <condition>] [ORDER BY [A] [ASC|DESC], ...] [;]
// or a bare table name ("Mechs", "[Mechs]"): the whole table, stored order.
struct SelectQuery {
  struct OrderKey {
    std::string field;
    bool descending = false;
  };
  std::string table;
  std::vector<Token> tokens;  // of the whole text
  // The WHERE condition as tokens [where_begin, where_end); empty when none.
  size_t where_begin = 0;
  size_t where_end = 0;
  std::vector<OrderKey> order;

  bool HasWhere() const { return where_end > where_begin; }
};

// Throws RuntimeError quoting the text when it is neither form.
SelectQuery ParseSource(std::string_view source);

}  // namespace quorvane::db
