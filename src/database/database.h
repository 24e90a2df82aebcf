#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "database/column_type.h"
#include "platform/runtime_error.h"
#include "platform/variant.h"

namespace quorvane::db {

// Raised when a file cannot be opened as a mission database (missing,
// unreadable, truncated, not a Jet or SQLite file). The compiler turns it into
// its "Could not open database object" message.
class OpenError : public std::runtime_error {
 public:
  explicit OpenError(const std::string& reason) : std::runtime_error(reason) {}
};

// A text of a loaded table that a script or FIT line does not hold as the
// designer sees it: one with a line break (which starts a new line), a double
// quote (which ends a quoted string) or a character without a Windows-1252
// form (written as "?").
struct TextOfNote {
  std::string origin;  // the table, field and row, as ValueOrigin names them
  std::string text;
  bool line_break = false;
  bool quote = false;
  std::string unwritable;  // the first character without a Windows-1252 form
};

// A dynaset over the rows of a query or a whole table, with the record-set
// behaviour the compiler relies on. Errors (unknown field, bad criteria,
// moving past the end, reading with no current row) raise RuntimeError.
class Recordset {
 public:
  virtual ~Recordset() = default;

  // The value of the named field (case-insensitive) in the current row.
  virtual const Variant& Field(std::string_view name) const = 0;
  // Jet criteria text, such as "[MissionID] = 12 AND [Alignment] <> 'aTrain'".
  virtual void FindFirst(std::string_view criteria) = 0;
  virtual void FindNext(std::string_view criteria) = 0;
  virtual bool NoMatch() const = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  virtual void MoveNext() = 0;
  virtual bool Eof() const = 0;
  // Rows reached so far: 0 or at least 1 right after opening, the full count
  // after MoveLast.
  virtual int32_t RecordCount() const = 0;
  virtual void Close() = 0;
};

// An open mission database, read-only. Tables are loaded on first use.
class Database {
 public:
  virtual ~Database() = default;

  // A whole SELECT text or a bare table name (the whole table in stored order).
  virtual std::unique_ptr<Recordset> OpenRecordset(std::string_view source) = 0;
  // The names of the user tables, in the file's order.
  virtual std::vector<std::string> TableNames() = 0;
  // Hands each row of a table to `row` in stored order, its values in the
  // order of Columns. A table not loaded yet is read from the file row by
  // row and not kept, so one pass over a large table (a dump) holds one row
  // at a time. Throws RuntimeError when there is no such table, or when the
  // file is damaged after handing over the rows before the damage.
  virtual void ReadRows(std::string_view table,
                        const std::function<void(std::span<const Variant> values)>& row) = 0;
  // The column names of a table, in their order.
  virtual std::vector<std::string> ColumnNames(std::string_view table) = 0;
  // The columns of a table with their Access types, in their order.
  virtual std::vector<ColumnInfo> Columns(std::string_view table) {
    std::vector<ColumnInfo> columns;
    for (auto& name : ColumnNames(table))
      columns.push_back({std::move(name), ColumnType::kUntyped});
    return columns;
  }
  // The table field and row that hold `value` ("Mechs.Name, ID 990"), when it
  // is a value of a loaded table that a record set handed out; empty otherwise.
  virtual std::string ValueOrigin(const Variant* /*value*/) const { return ""; }
  // The texts of note of the tables loaded so far, in the order they were
  // found; the list only grows.
  virtual const std::vector<TextOfNote>& TextsOfNote() const {
    static const std::vector<TextOfNote> none;
    return none;
  }
  // What the file's reader had to say about it (warnings of a damaged file)
  // since the last call.
  virtual std::vector<std::string> TakeDiagnostics() { return {}; }
};

// Opens a Jet 3, Jet 4 or SQLite 3 mission database, recognised by its first
// bytes. Throws OpenError when the file cannot be opened as one.
std::unique_ptr<Database> OpenDatabase(const std::string& path);

}  // namespace quorvane::db
