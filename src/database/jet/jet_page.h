#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvane::db {

// A row slot's flags. A deleted row, and the bytes of a row that moved here
// from another page, carry kJetRowDeleted (a moved row is read through the
// slot it was first stored in, which keeps its place in the table). A slot
// whose row moved away carries kJetRowMoved and holds a row pointer.
constexpr uint16_t kJetRowDeleted = 0x8000;
constexpr uint16_t kJetRowMoved = 0x4000;

// The bytes of one row on its page.
struct JetRowBytes {
  uint32_t page = 0;
  const unsigned char* data = nullptr;
  size_t size = 0;
};

struct JetSlot {
  uint16_t flags = 0;
  JetRowBytes row;
};

// The pages of a Jet 3 or Jet 4 file held in memory, and the rows of its data
// pages. Every offset is checked against the page: a damaged slot reads as
// nothing, never as bytes outside its page.
class JetPages {
 public:
  // `file` must outlive this view.
  JetPages(const std::vector<char>& file, int jet_version);

  size_t page_size() const { return page_size_; }
  size_t page_count() const { return page_count_; }

  // The bytes of a page; nullptr past the end of the file.
  const unsigned char* Page(uint32_t page) const;

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
  const std::vector<char>& file_;
  size_t page_size_;
  size_t page_count_;
  size_t row_count_offset_;
};

uint16_t ReadJetU16(const unsigned char* p);
uint32_t ReadJetU32(const unsigned char* p);

}  // namespace quorvane::db
