#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <memory>

#include "database/database.h"
#include "database/query/ordered_rows.h"

namespace quorvane::db {

// A record set over the rows of a record-set source, shared with every other
// record set open on the same source. Searches go through the shared rows'
// indexes, so a search costs no more than the rows that hold its keys.
class Dynaset : public Recordset {
 public:
  explicit Dynaset(std::shared_ptr<OrderedRows> rows);

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
  void CheckOpen() const;
  size_t size() const { return rows_->size(); }
  void Search(std::string_view criteria, size_t start);
  void Reach(size_t position);

  // The column of each field name read lately, spelled as the caller spells
  // it: a record set is read by the same few names again and again.
  struct NamedColumn {
    std::string name;
    size_t column = 0;
  };
  // Room for every field of the widest mission table, so that reading a
  // whole row field by field (as dump does) finds each name here.
  mutable std::array<NamedColumn, 32> named_columns_;
  mutable size_t next_named_ = 0;

  std::shared_ptr<OrderedRows> rows_;
  size_t position_ = 0;  // size() when there is no current row
  size_t reached_ = 0;
  bool no_match_ = false;
};

}  // namespace quorvane::db
