#include "support/jet_builder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>

#include "database/jet/jet_header.h"

namespace quorvane::testing {
namespace {

constexpr char kMagic[] = "\0\1\0\0Standard Jet DB";
constexpr uint32_t kCatalogPage = 2;
constexpr uint32_t kSystemObject = 0x80000002u;

}  // namespace

std::string JetBuilder::U16(uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string JetBuilder::U32(uint32_t value) { return U16(value & 0xFFFF) + U16(value >> 16); }

std::string JetBuilder::Ucs2(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += {c, '\0'};
  return out;
}

JetBuilder::JetBuilder(int version, unsigned code_page, uint32_t database_key)
    : version_(version), page_size_(version == 3 ? 2048 : 4096) {
  uint32_t header = AddPage();
  Put(header, 0, std::string(kMagic, sizeof kMagic));
  Put(header, 0x14, std::string(1, version == 3 ? '\0' : '\1'));
  Put(header, 0x3C, U16(static_cast<uint16_t>(code_page)) + U32(database_key));
  std::string& page = pages_[header];
  ToggleJetHeaderMaskOf(page);
  AddPage();             // the file's own usage map, which the reader needs not
  PageAt(kCatalogPage);  // the catalog's definition, written last
  map_page_ = AddPage();
}

void JetBuilder::ToggleJetHeaderMaskOf(std::string& page) const {
  db::ToggleJetHeaderMask(
      std::span<unsigned char>(reinterpret_cast<unsigned char*>(page.data()), page.size()),
      version_);
}

uint32_t JetBuilder::AddPage() { return PageAt(pages_.empty() ? 0 : pages_.rbegin()->first + 1); }

uint32_t JetBuilder::PageAt(uint32_t number) {
  pages_[number] = std::string(page_size_, '\0');
  return number;
}

void JetBuilder::Put(uint32_t page, size_t offset, const std::string& bytes) {
  std::string& target = pages_.at(page);
  if (offset + bytes.size() > target.size()) throw std::logic_error("past the end of the page");
  target.replace(offset, bytes.size(), bytes);
}

void JetBuilder::PutDataPage(uint32_t page, uint32_t owner, const std::vector<Row>& rows) {
  const size_t count_at = version_ == 3 ? 8 : 12;
  PageAt(page);
  Put(page, 0, "\x01\x01");
  Put(page, 4, U32(owner));
  Put(page, count_at, U16(static_cast<uint16_t>(rows.size())));
  size_t end = page_size_;
  for (size_t r = 0; r < rows.size(); ++r) {
    end -= rows[r].bytes.size();
    Put(page, end, rows[r].bytes);
    Put(page, count_at + 2 + 2 * r, U16(static_cast<uint16_t>(end | rows[r].flags)));
  }
}

uint32_t JetBuilder::AddDataPage(uint32_t owner, const std::vector<Row>& rows) {
  uint32_t page = AddPage();
  PutDataPage(page, owner, rows);
  return page;
}

std::string JetBuilder::Jet4Row(unsigned columns, const std::string& fixed,
                                const std::vector<std::string>& variable,
                                const std::vector<unsigned>& present) {
  std::string row = U16(static_cast<uint16_t>(columns)) + fixed;
  std::vector<size_t> offsets;
  for (const std::string& value : variable) {
    offsets.push_back(row.size());
    row += value;
  }
  if (!variable.empty()) {
    offsets.push_back(row.size());  // where the variable data ends
    for (size_t i = offsets.size(); i-- > 0;) row += U16(static_cast<uint16_t>(offsets[i]));
    row += U16(static_cast<uint16_t>(variable.size()));
  }
  std::string mask((columns + 7) / 8, '\0');
  for (unsigned number : present)
    mask[number / 8] = static_cast<char>(mask[number / 8] | 1 << number % 8);
  return row + mask;
}

std::string JetBuilder::RowBytes(const std::vector<Column>& columns,
                                 const std::vector<std::optional<std::string>>& values) const {
  if (version_ != 4) throw std::logic_error("rows are made in the Jet 4 format only");
  std::string fixed;
  std::vector<std::string> variable;
  std::vector<unsigned> present;
  for (size_t i = 0; i < columns.size(); ++i) {
    const std::optional<std::string>& value = values.at(i);
    if (value) present.push_back(static_cast<unsigned>(i));
    if (columns[i].type == kLong) {
      fixed += U32(value ? static_cast<uint32_t>(std::stoll(*value)) : 0);
      continue;
    }
    std::string text = value ? Ucs2(*value) : "";
    if (value && columns[i].type == kMemo) {
      text = U32(static_cast<uint32_t>(text.size()) | 0x80000000u) + U32(0) + U32(0) + text;
    }
    variable.push_back(text);
  }
  return Jet4Row(static_cast<unsigned>(columns.size()), fixed, variable, present);
}

std::string JetBuilder::Definition(const std::vector<Column>& columns, uint32_t map_pointer,
                                   uint32_t rows) const {
  std::string bytes(63, '\0');
  size_t var_columns = 0;
  for (const Column& column : columns) var_columns += column.type == kLong ? 0 : 1;
  auto put = [&](size_t at, const std::string& value) { bytes.replace(at, value.size(), value); };
  put(0, "\x02\x01");
  put(16, U32(rows));
  put(40, "\x4e");
  put(41, U16(static_cast<uint16_t>(columns.size())));
  put(43, U16(static_cast<uint16_t>(var_columns)));
  put(45, U16(static_cast<uint16_t>(columns.size())));
  put(55, U32(map_pointer) + U32(map_pointer));
  size_t fixed_offset = 0;
  unsigned var_index = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    std::string entry(25, '\0');
    bool fixed = columns[i].type == kLong;
    entry[0] = static_cast<char>(columns[i].type);
    entry.replace(5, 2, U16(static_cast<uint16_t>(i)));
    entry.replace(7, 2, U16(static_cast<uint16_t>(fixed ? 0 : var_index++)));
    entry.replace(9, 2, U16(static_cast<uint16_t>(i)));
    entry[15] = fixed ? '\x03' : '\x02';
    entry.replace(21, 2, U16(static_cast<uint16_t>(fixed ? fixed_offset : 0)));
    entry.replace(23, 2, U16(fixed ? 4 : columns[i].type == kText ? 510 : 0));
    fixed_offset += fixed ? 4 : 0;
    bytes += entry;
  }
  for (const Column& column : columns) {
    bytes += U16(static_cast<uint16_t>(2 * column.name.size())) + Ucs2(column.name);
  }
  bytes.replace(8, 4, U32(static_cast<uint32_t>(bytes.size())));
  return bytes;
}

void JetBuilder::PutDefinition(uint32_t page, const std::string& bytes) {
  // A definition longer than its page goes on on the next, after that
  // page's header.
  Put(page, 0, bytes.substr(0, page_size_));
  for (size_t at = page_size_; at < bytes.size(); at += page_size_ - 8) {
    uint32_t next = AddPage();
    Put(page, 4, U32(next));
    Put(next, 0, "\x02\x01");
    Put(next, 8, bytes.substr(at, page_size_ - 8));
    page = next;
  }
}

std::string JetBuilder::InlineMap(const std::vector<uint32_t>& pages) {
  // A type byte, the first page it covers, then a bit a page from there.
  uint32_t first = pages.empty() ? 0 : *std::min_element(pages.begin(), pages.end());
  std::string bitmap;
  for (uint32_t page : pages) {
    uint32_t bit = page - first;
    if (bitmap.size() <= bit / 8) bitmap.resize(bit / 8 + 1, '\0');
    bitmap[bit / 8] = static_cast<char>(bitmap[bit / 8] | 1 << bit % 8);
  }
  return std::string(1, '\0') + U32(first) + bitmap;
}

uint32_t JetBuilder::AddTable(const std::string& name, const std::vector<Column>& columns,
                              const std::vector<std::vector<RowValues>>& pages) {
  uint32_t definition = AddPage();
  std::vector<uint32_t> data_pages;
  uint32_t live = 0;
  for (const std::vector<RowValues>& rows : pages) {
    std::vector<Row> stored;
    for (const RowValues& row : rows) {
      stored.push_back({RowBytes(columns, row.values), row.flags});
      live += row.flags == 0;
    }
    data_pages.push_back(AddDataPage(definition, stored));
  }
  maps_.push_back({InlineMap(data_pages), 0});
  PutDataPage(map_page_, 0, maps_);
  uint32_t map_pointer = map_page_ << 8 | static_cast<uint32_t>(maps_.size() - 1);
  PutDefinition(definition, Definition(columns, map_pointer, live));
  tables_.emplace_back(name, definition);
  return definition;
}

void JetBuilder::WriteCatalog() {
  static const std::vector<Column> kCatalog = {
      {"Id", kLong}, {"Name", kText}, {"Type", kLong}, {"Flags", kLong}};
  std::vector<RowValues> rows = {
      {{std::to_string(kCatalogPage), "MSysObjects", "1", std::to_string(kSystemObject)}, 0}};
  for (const auto& [name, page] : tables_) {
    rows.push_back({{std::to_string(page), name, "1", "0"}, 0});
  }
  std::vector<Row> stored;
  for (const RowValues& row : rows) stored.push_back({RowBytes(kCatalog, row.values), 0});
  if (catalog_data_page_ == 0) catalog_data_page_ = AddPage();
  PutDataPage(catalog_data_page_, kCatalogPage, stored);
  if (catalog_map_ == 0) {
    maps_.push_back({});
    catalog_map_ = map_page_ << 8 | static_cast<uint32_t>(maps_.size() - 1);
  }
  maps_[catalog_map_ & 0xFF] = {InlineMap({catalog_data_page_}), 0};
  PutDataPage(map_page_, 0, maps_);
  PageAt(kCatalogPage);
  Put(kCatalogPage, 0, Definition(kCatalog, catalog_map_, static_cast<uint32_t>(rows.size())));
}

std::string JetBuilder::Bytes() {
  if (version_ == 4) WriteCatalog();
  std::string file;
  for (const auto& [number, page] : pages_) {
    file.resize(size_t{number} * page_size_, '\0');
    file += page;
  }
  return file;
}

std::string JetBuilder::Write(const std::string& path) {
  if (version_ == 4) WriteCatalog();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& [number, page] : pages_) {
      out.seekp(static_cast<std::streamoff>(size_t{number} * page_size_));
      out.write(page.data(), static_cast<std::streamsize>(page.size()));
    }
    if (!out) throw std::runtime_error("cannot write " + path);
  }
  std::filesystem::resize_file(path, (size_t{pages_.rbegin()->first} + 1) * page_size_);
  return path;
}

}  // namespace quorvane::testing
