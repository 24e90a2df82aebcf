#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::testing {

// Makes Jet files, or single pages of one, for the reader's tests: a header,
// data pages of rows (with their slot flags), table definitions, usage maps
// and the catalog that lists the tables. Pages not written read as zeros; a
// file written to disk leaves them as holes.
class JetBuilder {
 public:
  // Column types the builder can encode values of.
  static constexpr uint8_t kLong = 0x04;
  static constexpr uint8_t kText = 0x0A;
  static constexpr uint8_t kMemo = 0x0C;

  struct Column {
    std::string name;
    uint8_t type = kLong;
  };
  struct Row {
    std::string bytes;
    uint16_t flags = 0;  // slot flags: 0x8000 deleted, 0x4000 moved
  };
  // A table's rows, page by page, as values (text; Long values as decimal
  // text, nullopt for Null) and slot flags.
  struct RowValues {
    std::vector<std::optional<std::string>> values;
    uint16_t flags = 0;
  };

  // A Jet 4 file (Jet 3 for `version` 3) with its header, a code page and a
  // database key (encrypted files have one), and the catalog's place.
  explicit JetBuilder(int version = 4, unsigned code_page = 1252, uint32_t database_key = 0);

  size_t page_size() const { return page_size_; }

  // A new page of zeros, placed after every page so far or at `number`.
  uint32_t AddPage();
  uint32_t PageAt(uint32_t number);
  void Put(uint32_t page, size_t offset, const std::string& bytes);

  // Writes a data page of `owner` (or "LVAL" for long values): the rows from
  // the end of the page down, their slots after the row count.
  void PutDataPage(uint32_t page, uint32_t owner, const std::vector<Row>& rows);
  uint32_t AddDataPage(uint32_t owner, const std::vector<Row>& rows);

  // A Jet 4 row: the column count, the fixed part, the variable values,
  // their offsets (the end of the data first, the first value's last), the
  // variable count and the null mask with a bit set for each present column.
  static std::string Jet4Row(unsigned columns, const std::string& fixed,
                             const std::vector<std::string>& variable,
                             const std::vector<unsigned>& present);

  // The bytes of a row of `columns` holding `values` in the file's row format.
  std::string RowBytes(const std::vector<Column>& columns,
                       const std::vector<std::optional<std::string>>& values) const;

  // A table with its definition (going on over further pages when it is
  // longer than one), its data pages and an inline usage map, listed in the
  // catalog. Returns the definition's page.
  uint32_t AddTable(const std::string& name, const std::vector<Column>& columns,
                    const std::vector<std::vector<RowValues>>& pages);

  // An inline usage map's row marking `pages`.
  static std::string InlineMap(const std::vector<uint32_t>& pages);

  // The whole file, with the catalog of the tables added so far.
  std::string Bytes();
  // Writes it to `path` (pages not written become holes); returns the path.
  std::string Write(const std::string& path);

  // 4 bytes little-endian; a row pointer; UCS-2 of ASCII text.
  static std::string U16(uint16_t value);
  static std::string U32(uint32_t value);
  static std::string Pointer(uint32_t page, unsigned row) { return U32(page << 8 | row); }
  static std::string Ucs2(const std::string& ascii);

 private:
  std::string Definition(const std::vector<Column>& columns, uint32_t map_pointer,
                         uint32_t rows) const;
  void PutDefinition(uint32_t page, const std::string& bytes);
  void WriteCatalog();
  void ToggleJetHeaderMaskOf(std::string& page) const;

  int version_;
  size_t page_size_;
  uint32_t map_page_ = 0;  // holds the usage maps, one row each
  uint32_t catalog_data_page_ = 0;
  uint32_t catalog_map_ = 0;  // row pointer of the catalog's usage map
  std::vector<Row> maps_;
  std::map<uint32_t, std::string> pages_;
  std::vector<std::pair<std::string, uint32_t>> tables_;
};

}  // namespace quorvane::testing
