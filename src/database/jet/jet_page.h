#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "database/jet/jet_bytes.h"

namespace quorvane::db {

// A row slot's flags. A deleted row, and the bytes of a row that moved here
// from another page, carry kJetRowDeleted (a moved row is read through the
// slot it was first stored in, which keeps its place in the table). A slot
// whose row moved away carries kJetRowMoved and holds a row pointer.
constexpr uint16_t kJetRowDeleted = 0x8000;
constexpr uint16_t kJetRowMoved = 0x4000;

// Page types, the first byte of a page.
constexpr uint8_t kJetDataPage = 0x01;
constexpr uint8_t kJetDefinitionPage = 0x02;
constexpr uint8_t kJetUsageMapPage = 0x05;

// The bytes of one row on its page.
struct JetRowBytes {
  uint32_t page = 0;
  JetBytes bytes;
};

struct JetSlot {
  uint16_t flags = 0;
  JetRowBytes row;
};

// The pages of a Jet 3 or Jet 4 file, and the rows of its data pages. Every
// offset is checked against the page: a damaged slot reads as nothing, never
// as bytes outside its page.
class JetPages {
 public:
  // Gives the bytes of a page of the file, which stay where they are while
  // the pages are read; fewer than a page when it cannot be read.
  using PageReader = std::function<std::span<const unsigned char>(uint32_t page)>;
  // The pages of a file of `file_size` bytes, as `read` gives them.
  JetPages(PageReader read, uint64_t file_size, int jet_version);
  // The pages of a file held in memory; `file` must outlive this view.
  JetPages(std::span<const unsigned char> file, int jet_version);

  int jet_version() const { return jet_version_; }
  uint64_t file_size() const { return file_size_; }
  size_t page_size() const { return page_size_; }
  size_t page_count() const { return page_count_; }

  // The bytes of a page; empty past the end of the file or when it cannot
  // be read.
  JetBytes Page(uint32_t page) const;

  // The number of row slots of a data page; nullopt for a page that is no
  // data page or whose slot table overruns it.
  std::optional<unsigned> RowCount(uint32_t page) const;

  // The table definition page that a data page belongs to.
  uint32_t Owner(uint32_t page) const;

  // Slot `row` of data page `page`: its flags and the row's bytes, which
  // run up to where the previous slot's row starts (the page end for the
  // first). nullopt when the slot is missing or its bounds are damaged.
  std::optional<JetSlot> Slot(uint32_t page, unsigned row) const;

  // The slot a row pointer names: the row number in the low byte, the page
  // above it (the four bytes of a moved row's slot, or of a long-value
  // reference, read as one little-endian number).
  std::optional<JetSlot> SlotAt(uint32_t pointer) const;

  // The bytes of the row a live slot holds: its own, or those at the end of
  // the pointers of a row that moved to other pages of the same table.
  // nullopt when a pointer leads nowhere sound.
  std::optional<JetRowBytes> RowOf(const JetSlot& slot, uint32_t table_page) const;

 private:
  std::optional<unsigned> RowCountOf(const JetBytes& bytes) const;

  PageReader read_;
  uint64_t file_size_;
  int jet_version_;
  size_t page_size_;
  size_t page_count_;
  size_t row_count_offset_;
};

constexpr size_t kJet3PageSize = 2048;
constexpr size_t kJet4PageSize = 4096;

}  // namespace quorvane::db
