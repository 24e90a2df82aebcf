#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/criteria.h"
#include "database/database.h"
#include "database/table_data.h"

namespace quorvane::db {

// A record set over rows of one loaded table, in the order of its query.
// FindFirst / FindNext on an equality of one column ("[MWID] = 7", also as
// the first part of an AND) use an index built on first use, so a search
// costs no more than the rows that hold the key.
class Dynaset : public Recordset {
 public:
  Dynaset(std::shared_ptr<const TableData> table, std::vector<uint32_t> rows);

  const Variant& Field(std::string_view name) const override;
  void FindFirst(std::string_view criteria) override;
  void FindNext(std::string_view criteria) override;
  bool NoMatch() const override { return no_match_; }
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  bool Eof() const override;
  int32_t RecordCount() const override;
  void Close() override;

 private:
  // Key -> positions (ascending) of the rows whose value in the column has it.
  struct EqualityIndex {
    bool usable = true;  // false when a value's kind differs from the column's
    std::unordered_map<double, std::vector<uint32_t>> numbers;
    std::unordered_map<std::string, std::vector<uint32_t>> texts;
  };

  void CheckOpen() const;
  const Criteria& Parsed(std::string_view text);
  const EqualityIndex& IndexOf(size_t column);
  // The first position at or after `start` whose row meets the criteria.
  std::optional<size_t> Find(std::string_view text, size_t start);
  void Reach(size_t position);

  std::shared_ptr<const TableData> table_;
  std::vector<uint32_t> rows_;  // stored positions in record-set order
  size_t position_ = 0;         // rows_.size() when there is no current row
  size_t reached_ = 0;
  bool no_match_ = false;
  bool closed_ = false;
  std::optional<Criteria> last_criteria_;
  std::unordered_map<size_t, EqualityIndex> indexes_;
};

}  // namespace quorvane::db
