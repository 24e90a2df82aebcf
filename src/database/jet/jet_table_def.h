#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/jet/jet_page.h"

namespace quorvane::db {

// Access's column type codes.
enum class JetType : uint8_t {
  kYesNo = 0x01,
  kByte = 0x02,
  kInteger = 0x03,
  kLong = 0x04,
  kCurrency = 0x05,
  kSingle = 0x06,
  kDouble = 0x07,
  kDateTime = 0x08,
  kBinary = 0x09,
  kText = 0x0A,
  kOle = 0x0B,
  kMemo = 0x0C,
  kGuid = 0x0F,
  kDecimal = 0x10,
  kComplex = 0x12,
};

// One column of a table definition.
struct JetColumn {
  std::string name;
  JetType type = JetType::kText;
  // The column's bit in a row's null mask. Numbers count deleted columns
  // too: a row keeps their bits and offsets until it is rewritten.
  unsigned number = 0;
  unsigned var_index = 0;   // of a variable value, in the row's offset table
  size_t fixed_offset = 0;  // of a fixed value, after the row's column count
  size_t size = 0;          // of a fixed value
  bool is_fixed = false;
  uint8_t precision = 0;  // of a Decimal
  uint8_t scale = 0;      // of a Decimal: digits after the point
};

// A table definition: its columns in column-number order, and where its
// data pages are listed.
struct JetTableDef {
  uint32_t page = 0;  // of the definition; data pages name it as owner
  uint32_t row_count = 0;
  unsigned var_columns = 0;  // variable-length columns: rows have an offset table
  uint32_t usage_map = 0;    // row pointer to the map of the table's pages
  std::vector<JetColumn> columns;
};

// Reads the definition at `page` and the pages it continues on. nullopt
// when it is damaged: no definition page, a chain that loops, or entries
// that overrun the definition. `code_page` is that of a Jet 3 file's names.
std::optional<JetTableDef> ReadJetTableDef(const JetPages& pages, uint32_t page,
                                           unsigned code_page);

}  // namespace quorvane::db
