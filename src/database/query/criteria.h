#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "database/query/sql_tokens.h"
#include "database/table_data.h"

namespace quorvane::db {

// The truth of a condition on one row: a comparison with Null is Null, and
// only True selects the row.
enum class Truth { kFalse, kTrue, kNull };

// An equality of one column with a constant ("[MWID] = 7", "[Alignment] =
// 'Clan'") among the conditions that all must hold: record sets answer it
// from an index.
struct ColumnEquality {
  size_t column;
  std::variant<double, std::string> key;  // the constant as written
};

// A Jet condition bound to the columns of one table: field names in brackets
// or bare, = <> < > <= >=, Is [Not] Null, AND, OR, NOT, parentheses, numbers,
// 'text' and "text", TRUE (-1) and FALSE (0). Text compares without regard to
// case. Comparing a text with a number is a data type mismatch.
class Criteria {
 public:
  // Parses `text` for `table`. Throws RuntimeError quoting the text when it
  // does not parse, names an unknown field or compares text with a number.
  static Criteria Parse(std::string_view text, const TableData& table);
  // The same for the tokens [begin, end) of a longer text (a WHERE clause).
  static Criteria Parse(const std::vector<Token>& tokens, size_t begin, size_t end,
                        std::string_view text, const TableData& table);

  Criteria(Criteria&&) noexcept;
  Criteria& operator=(Criteria&&) noexcept;
  ~Criteria();

  Truth Evaluate(const TableData& table, size_t row) const;

  // The condition in the query engine's SQL, column i named "c<i>" and text
  // compared with the JET collation.
  std::string ToSql() const;

  // Every equality of a column with a constant among the conditions that all
  // must hold, in the order of the text.
  std::vector<ColumnEquality> Equalities() const;

  // True when no row of `table` can make the condition compare a text with a
  // number, so that a search may leave out rows that cannot meet it without
  // missing an error that a full scan would raise.
  bool NeverMismatches(const TableData& table) const;

  const std::string& text() const { return text_; }

  struct Node;

 private:
  Criteria(std::unique_ptr<Node> root, std::string text);

  std::unique_ptr<Node> root_;
  std::string text_;
};

// The number criteria compare for a value of a numeric subtype (Yes/No as -1
// and 0, Currency in units, Date as days); 0 for Null and text.
double CriteriaNumber(const Variant& value);

// Raises the "data type mismatch" run-time error quoting the criteria text.
[[noreturn]] void ThrowCriteriaMismatch(std::string_view criteria);

}  // namespace quorvane::db
