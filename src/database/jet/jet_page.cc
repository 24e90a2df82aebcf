#include "database/jet/jet_page.h"

namespace quorvane::db {
namespace {

constexpr size_t kJet3RowCountOffset = 8;
constexpr size_t kJet4RowCountOffset = 12;
constexpr size_t kOwnerOffset = 4;
constexpr uint16_t kRowOffsetMask = 0x1fff;
constexpr unsigned kPointerRowBits = 8;
// A moved row's pointer leads to its bytes, or on to another pointer when
// it moved again; more hops than this is a loop in a damaged file.
constexpr int kMaxRowMoves = 16;

}  // namespace

JetPages::JetPages(PageReader read, uint64_t file_size, int jet_version)
    : read_(std::move(read)),
      file_size_(file_size),
      jet_version_(jet_version),
      page_size_(jet_version == 3 ? kJet3PageSize : kJet4PageSize),
      page_count_(static_cast<size_t>(file_size / page_size_)),
      row_count_offset_(jet_version == 3 ? kJet3RowCountOffset : kJet4RowCountOffset) {}

JetPages::JetPages(std::span<const unsigned char> file, int jet_version)
    : JetPages([file, page_size = jet_version == 3 ? kJet3PageSize : kJet4PageSize](
                   uint32_t page) { return file.subspan(size_t{page} * page_size, page_size); },
               file.size(), jet_version) {}

JetBytes JetPages::Page(uint32_t page) const {
  if (page >= page_count_) return JetBytes();
  std::span<const unsigned char> bytes = read_(page);
  if (bytes.size() < page_size_) return JetBytes();
  return JetBytes(bytes.data(), page_size_);
}

std::optional<unsigned> JetPages::RowCount(uint32_t page) const { return RowCountOf(Page(page)); }

std::optional<unsigned> JetPages::RowCountOf(const JetBytes& bytes) const {
  if (bytes.empty() || bytes.U8(0) != kJetDataPage) return std::nullopt;
  unsigned rows = bytes.U16(row_count_offset_);
  if (!bytes.Holds(row_count_offset_ + 2, 2 * size_t{rows})) return std::nullopt;
  return rows;
}

uint32_t JetPages::Owner(uint32_t page) const {
  JetBytes bytes = Page(page);
  return bytes.empty() ? 0 : bytes.U32(kOwnerOffset);
}

std::optional<JetSlot> JetPages::Slot(uint32_t page, unsigned row) const {
  // The page is fetched once for its row count and the slot.
  JetBytes bytes = Page(page);
  std::optional<unsigned> rows = RowCountOf(bytes);
  if (!rows || row >= *rows) return std::nullopt;
  const size_t slots = row_count_offset_ + 2;
  uint16_t slot = bytes.U16(slots + 2 * row);
  size_t begin = slot & kRowOffsetMask;
  size_t end = row == 0 ? page_size_ : bytes.U16(slots + 2 * (row - 1)) & kRowOffsetMask;
  size_t slots_end = slots + 2 * size_t{*rows};
  if (begin < slots_end || begin > end || end > page_size_) return std::nullopt;
  return JetSlot{static_cast<uint16_t>(slot & ~kRowOffsetMask),
                 {page, bytes.Slice(begin, end - begin)}};
}

std::optional<JetSlot> JetPages::SlotAt(uint32_t pointer) const {
  return Slot(pointer >> kPointerRowBits, pointer & ((1u << kPointerRowBits) - 1));
}

std::optional<JetRowBytes> JetPages::RowOf(const JetSlot& slot, uint32_t table_page) const {
  JetSlot at = slot;
  for (int hops = 0; at.flags & kJetRowMoved; ++hops) {
    if (hops == kMaxRowMoves || at.row.bytes.size() < 4) return std::nullopt;
    std::optional<JetSlot> target = SlotAt(at.row.bytes.U32(0));
    if (!target || Owner(target->row.page) != table_page) return std::nullopt;
    // The moved bytes are marked as deleted, so that a page scan passes them
    // by and they are read through the pointer only.
    if (target->flags == kJetRowDeleted) return target->row;
    if (target->flags != kJetRowMoved) return std::nullopt;
    at = *target;
  }
  return at.row;
}

}  // namespace quorvane::db
