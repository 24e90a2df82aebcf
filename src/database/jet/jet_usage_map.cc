#include "database/jet/jet_usage_map.h"

namespace quorvane::db {
namespace {

constexpr uint8_t kInlineMap = 0;
constexpr uint8_t kPageListMap = 1;
constexpr size_t kInlineBitmapOffset = 5;
constexpr size_t kMapPageBitmapOffset = 4;

// Adds the pages whose bits are set in `bitmap`, the first bit standing for
// page `first`; pages past the end of the file are left out.
void AddMarkedPages(const JetBytes& bitmap, uint64_t first, size_t page_count,
                    std::vector<uint32_t>& out) {
  for (size_t at = 0; at < bitmap.size(); ++at) {
    // Most of a map is empty: eight bytes without a mark are passed at once.
    while (bitmap.Holds(at, 8) && bitmap.U64(at) == 0) at += 8;
    if (at >= bitmap.size()) break;
    uint8_t bits = bitmap.U8(at);
    for (unsigned bit = 0; bits != 0; ++bit, bits >>= 1) {
      uint64_t page = first + at * 8 + bit;
      if ((bits & 1) && page < page_count) out.push_back(static_cast<uint32_t>(page));
    }
  }
}

}  // namespace

std::optional<std::vector<uint32_t>> JetUsageMapPages(const JetPages& pages, uint32_t pointer) {
  std::optional<JetSlot> slot = pages.SlotAt(pointer);
  if (!slot || slot->row.bytes.empty()) return std::nullopt;
  const JetBytes& map = slot->row.bytes;
  std::vector<uint32_t> out;
  if (map.U8(0) == kInlineMap) {
    if (map.size() < kInlineBitmapOffset) return std::nullopt;
    AddMarkedPages(map.From(kInlineBitmapOffset), map.U32(1), pages.page_count(), out);
    return out;
  }
  if (map.U8(0) == kPageListMap) {
    const size_t span = (pages.page_size() - kMapPageBitmapOffset) * 8;
    for (size_t at = 1, stretch = 0; map.Holds(at, 4); at += 4, ++stretch) {
      uint32_t map_page = map.U32(at);
      if (map_page == 0) continue;
      if (map_page >= pages.page_count()) return std::nullopt;
      JetBytes bitmap = pages.Page(map_page);
      if (bitmap.empty()) return std::nullopt;  // could not be read
      if (bitmap.U8(0) != kJetUsageMapPage) continue;
      AddMarkedPages(bitmap.From(kMapPageBitmapOffset), uint64_t{stretch} * span,
                     pages.page_count(), out);
    }
    return out;
  }
  for (size_t page = 0; page < pages.page_count(); ++page)
    out.push_back(static_cast<uint32_t>(page));
  return out;
}

}  // namespace quorvane::db
