#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::fuzz {

// One change to a mission database, by table and rowid. As text, one line:
//   set TABLE ROWID COLUMN null|int N|real X|text T|blob HEX
//   del TABLE ROWID
//   dup TABLE ROWID           (a copy of the row, stored last)
// Text escapes "\\", "\n" and "\0".
struct Edit {
  enum class Kind { kSet, kDelete, kDuplicate };
  enum class Value { kNull, kInteger, kReal, kText, kBlob };
  Kind kind = Kind::kSet;
  std::string table;
  int64_t rowid = 0;
  std::string column;
  Value value_kind = Value::kNull;
  std::string value;  // the number's text, the text, or the blob's bytes
};

// An input of the mission target: "mission N" and the edits, one a line.
struct MissionEdits {
  int16_t mission = 1;
  std::vector<Edit> edits;
};

// Lines that do not parse are left out, so any bytes are an input.
MissionEdits ParseEdits(const std::string& text);
std::string FormatEdits(const MissionEdits& edits);

// Applies the edits; one that the database refuses (a duplicate key, a column
// that is not there) changes nothing. "@ROOT@" in a text is replaced by `root`.
void ApplyEdits(sqlite3* db, const MissionEdits& edits, const std::string& root);

}  // namespace quorvane::fuzz
