#include "database/jet/jet_table_def.h"

#include <algorithm>
#include <set>

#include "database/jet/jet_string.h"

namespace quorvane::db {
namespace {

constexpr size_t kNextPageOffset = 4;
constexpr size_t kPageHeaderSize = 8;
constexpr uint8_t kFixedColumnFlag = 0x01;

// Where the fields of a definition lie in Jet 3 and Jet 4.
struct DefinitionLayout {
  size_t row_count;
  size_t var_columns;
  size_t columns;
  size_t real_indexes;
  size_t usage_map;
  size_t first_index;  // the per-index entries, then the column entries
  size_t index_entry;
  size_t column_entry;
  // In a column entry.
  size_t type;
  size_t number;
  size_t var_index;
  size_t precision;
  size_t scale;
  size_t flags;
  size_t fixed_offset;
  size_t size;
  size_t name_length;  // bytes of a column name's length
};

constexpr DefinitionLayout kJet3Layout = {12, 23, 25, 31, 35, 43, 8,  18, 0,
                                          1,  3,  9,  10, 13, 14, 16, 1};
constexpr DefinitionLayout kJet4Layout = {16, 43, 45, 51, 55, 63, 12, 25, 0,
                                          5,  7,  11, 12, 15, 21, 23, 2};

// The definition's bytes: its first page whole, then each page it continues
// on without that page's header, as one run.
std::optional<std::vector<unsigned char>> DefinitionBytes(const JetPages& pages, uint32_t page) {
  std::vector<unsigned char> bytes;
  std::set<uint32_t> seen;
  for (uint32_t at = page; at != 0;) {
    JetBytes bytes_of_page = pages.Page(at);
    if (bytes_of_page.empty() || bytes_of_page.U8(0) != kJetDefinitionPage ||
        !seen.insert(at).second) {
      return std::nullopt;
    }
    JetBytes part = seen.size() == 1 ? bytes_of_page : bytes_of_page.From(kPageHeaderSize);
    bytes.insert(bytes.end(), part.data(), part.data() + part.size());
    at = bytes_of_page.U32(kNextPageOffset);
  }
  return bytes;
}

JetColumn ReadColumn(const JetBytes& entry, const DefinitionLayout& layout) {
  JetColumn column;
  column.type = static_cast<JetType>(entry.U8(layout.type));
  column.number = entry.U16(layout.number);
  column.var_index = entry.U16(layout.var_index);
  column.precision = entry.U8(layout.precision);
  column.scale = entry.U8(layout.scale);
  column.is_fixed = (entry.U8(layout.flags) & kFixedColumnFlag) != 0;
  column.fixed_offset = entry.U16(layout.fixed_offset);
  column.size = entry.U16(layout.size);
  return column;
}

JetTableDef Parse(const JetBytes& bytes, const JetPages& pages, uint32_t page, unsigned code_page) {
  const int version = pages.jet_version();
  const DefinitionLayout& layout = version == 3 ? kJet3Layout : kJet4Layout;
  JetTableDef table;
  table.page = page;
  table.row_count = bytes.U32(layout.row_count);
  table.var_columns = bytes.U16(layout.var_columns);
  table.usage_map = bytes.U32(layout.usage_map);
  const size_t count = bytes.U16(layout.columns);
  size_t at = layout.first_index + size_t{bytes.U32(layout.real_indexes)} * layout.index_entry;
  for (size_t i = 0; i < count; ++i, at += layout.column_entry) {
    table.columns.push_back(ReadColumn(bytes.Slice(at, layout.column_entry), layout));
  }
  for (JetColumn& column : table.columns) {
    size_t length = layout.name_length == 1 ? bytes.U8(at) : bytes.U16(at);
    at += layout.name_length;
    column.name = DecodeJetText(bytes.Slice(at, length), version, code_page);
    at += length;
  }
  // Entries are listed in the order columns were made; a row holds them in
  // the order of their numbers.
  std::stable_sort(table.columns.begin(), table.columns.end(),
                   [](const JetColumn& a, const JetColumn& b) { return a.number < b.number; });
  return table;
}

}  // namespace

std::optional<JetTableDef> ReadJetTableDef(const JetPages& pages, uint32_t page,
                                           unsigned code_page) {
  if (page == 0) return std::nullopt;
  try {
    std::optional<std::vector<unsigned char>> bytes = DefinitionBytes(pages, page);
    if (!bytes) return std::nullopt;
    return Parse(JetBytes(bytes->data(), bytes->size()), pages, page, code_page);
  } catch (const JetOutOfBounds&) {
    return std::nullopt;
  }
}

}  // namespace quorvane::db
