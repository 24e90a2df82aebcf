#include "database/query/equality_index.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "database/jet/jet_text.h"
#include "database/query/ordered_rows.h"

namespace quorvane::db {
namespace {

uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9u;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebu;
  return x ^ (x >> 31);
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// FNV-1a over the folded bytes.
uint64_t HashFolded(std::string_view folded) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (char c : folded) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

}  // namespace

uint64_t EqualityIndex::Combine(uint64_t key, uint64_t value_hash) {
  return Mix(key ^ (value_hash + 0x9e3779b97f4a7c15u + (key << 6) + (key >> 2)));
}

uint64_t EqualityIndex::HashNumber(double number) {
  number += 0.0;  // -0 equals 0
  uint64_t bits = 0;
  std::memcpy(&bits, &number, sizeof bits);
  return Mix(bits);
}

uint64_t EqualityIndex::HashText(std::string_view text) {
  if (!IsAscii(text)) return HashFolded(FoldCase(text));
  // The ASCII folding of FoldCase, without making the folded copy.
  uint64_t hash = 0xcbf29ce484222325u;
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3u;
  }
  return hash;
}

uint64_t EqualityIndex::HashValue(const Variant& value) {
  return value.IsString() ? HashText(value.text_value()) : HashNumber(CriteriaNumber(value));
}

EqualityIndex::EqualityIndex(const OrderedRows& rows, std::vector<size_t> columns)
    : columns_(std::move(columns)) {
  const TableData& table = rows.table();
  std::vector<uint64_t> keys;
  std::vector<uint32_t> positions;
  keys.reserve(rows.size());
  positions.reserve(rows.size());
  for (size_t position = 0; position < rows.size(); ++position) {
    uint32_t row = rows.RowAt(position);
    uint64_t key = kEmptyKey;
    bool null = false;
    for (size_t column : columns_) {
      const Variant& value = table.Cell(row, column);
      if (value.IsNull() || value.IsEmpty()) {
        null = true;
        break;
      }
      key = Combine(key, HashValue(value));
    }
    if (null) continue;
    keys.push_back(key);
    positions.push_back(static_cast<uint32_t>(position));
  }
  std::vector<uint32_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0u);
  // Positions are ascending already; a stable sort keeps them so within a key.
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
  keys_.reserve(order.size());
  positions_.reserve(order.size());
  for (uint32_t i : order) {
    keys_.push_back(keys[i]);
    positions_.push_back(positions[i]);
  }
}

std::span<const uint32_t> EqualityIndex::Candidates(uint64_t key) const {
  auto [first, last] = std::equal_range(keys_.begin(), keys_.end(), key);
  return std::span<const uint32_t>(positions_.data() + (first - keys_.begin()),
                                   static_cast<size_t>(last - first));
}

}  // namespace quorvane::db
