#include "database/jet/jet_field.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "database/jet/jet_string.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

// A long value's header: its length with flags, then the row pointer of
// its data.
constexpr uint32_t kLongValueInline = 0x80000000u;
constexpr uint32_t kLongValueSinglePage = 0x40000000u;
constexpr uint32_t kLongValueLengthMask = 0x3fffffffu;
constexpr size_t kLongValueHeader = 12;
constexpr size_t kGuidSize = 16;
constexpr size_t kDecimalSize = 17;
constexpr uint8_t kDecimalNegative = 0x80;
constexpr unsigned kMaxDecimalScale = 28;

[[noreturn]] void Damaged(const JetColumn& column) {
  throw RuntimeError("Damaged value in field " + column.name + " of the Jet file.");
}

template <typename T>
T Read(const JetColumn& column, const JetFieldBytes& field) {
  if (field.bytes.size() < sizeof(T)) Damaged(column);
  uint64_t bits = sizeof(T) == 8   ? field.bytes.U64(0)
                  : sizeof(T) == 4 ? field.bytes.U32(0)
                  : sizeof(T) == 2 ? field.bytes.U16(0)
                                   : field.bytes.U8(0);
  T value;
  std::memcpy(&value, &bits, sizeof value);  // the low bytes, on a little-endian machine
  return value;
}

// The bytes of a long value (Memo): held in the row itself, in one
// long-value row, or in a chain of long-value rows on other pages, each
// starting with the pointer to the next.
std::string ReadLongValue(const JetPages& pages, const JetColumn& column,
                          const JetFieldBytes& field) {
  if (field.bytes.size() < kLongValueHeader) Damaged(column);
  const JetBytes& header = field.bytes;
  uint32_t flags_and_length = header.U32(0);
  size_t length = flags_and_length & kLongValueLengthMask;
  if (length > pages.page_count() * pages.page_size()) Damaged(column);
  std::string bytes;
  if (flags_and_length & kLongValueInline) {
    if (length > header.size() - kLongValueHeader) Damaged(column);
    return std::string(header.Slice(kLongValueHeader, length).View());
  }
  if (flags_and_length & kLongValueSinglePage) {
    std::optional<JetSlot> slot = pages.SlotAt(header.U32(4));
    if (!slot || slot->row.bytes.size() < length) Damaged(column);
    return std::string(slot->row.bytes.Slice(0, length).View());
  }
  uint32_t pointer = header.U32(4);
  size_t max_links = pages.page_count() * 256 + 1;
  while (bytes.size() < length) {
    std::optional<JetSlot> slot = pages.SlotAt(pointer);
    if (max_links-- == 0 || !slot || slot->row.bytes.size() < 4) Damaged(column);
    const JetBytes& row = slot->row.bytes;
    bytes += row.Slice(4, std::min(row.size() - 4, length - bytes.size())).View();
    pointer = row.U32(0);
    if (pointer == 0) break;
  }
  if (bytes.size() != length) Damaged(column);
  return bytes;
}

// Divides by `divisor`; returns the remainder.
uint32_t Divide(std::array<uint32_t, 4>& number, uint32_t divisor) {
  uint64_t remainder = 0;
  for (size_t i = number.size(); i-- > 0;) {
    uint64_t part = remainder << 32 | number[i];
    number[i] = static_cast<uint32_t>(part / divisor);
    remainder = part % divisor;
  }
  return static_cast<uint32_t>(remainder);
}

}  // namespace

std::string JetGuidText(const JetBytes& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  static const int kOrder[] = {3,  2, 1, 0,  -1, 5,  4,  -1, 7,  6,
                               -1, 8, 9, -1, 10, 11, 12, 13, 14, 15};
  std::string text = "{";
  for (int at : kOrder) {
    if (at < 0) {
      text += '-';
      continue;
    }
    uint8_t byte = bytes.U8(static_cast<size_t>(at));
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
  }
  return text + "}";
}

std::optional<std::string> JetDecimalText(const JetBytes& bytes, unsigned scale) {
  if (scale > kMaxDecimalScale) return std::nullopt;
  std::array<uint32_t, 4> magnitude;
  for (size_t i = 0; i < magnitude.size(); ++i) {
    magnitude[i] = bytes.U32(1 + 4 * (magnitude.size() - 1 - i));
  }
  std::string digits;
  while (magnitude != std::array<uint32_t, 4>{})
    digits += static_cast<char>('0' + Divide(magnitude, 10));
  while (digits.size() <= scale) digits += '0';
  std::reverse(digits.begin(), digits.end());
  if (scale > 0) digits.insert(digits.size() - scale, ".");
  bool zero = digits.find_first_not_of("0.") == std::string::npos;
  return (bytes.U8(0) & kDecimalNegative) && !zero ? "-" + digits : digits;
}

ColumnType JetColumnType(JetType type) {
  switch (type) {
    case JetType::kYesNo:
      return ColumnType::kYesNo;
    case JetType::kByte:
      return ColumnType::kByte;
    case JetType::kInteger:
      return ColumnType::kInteger;
    case JetType::kLong:
    case JetType::kComplex:
      return ColumnType::kLong;
    case JetType::kCurrency:
      return ColumnType::kCurrency;
    case JetType::kSingle:
      return ColumnType::kSingle;
    case JetType::kDouble:
      return ColumnType::kDouble;
    case JetType::kDateTime:
      return ColumnType::kDateTime;
    case JetType::kBinary:
      return ColumnType::kBinary;
    case JetType::kText:
      return ColumnType::kText;
    case JetType::kOle:
      return ColumnType::kOle;
    case JetType::kMemo:
      return ColumnType::kMemo;
    case JetType::kGuid:
      return ColumnType::kGuid;
    case JetType::kDecimal:
      return ColumnType::kDecimal;
  }
  return ColumnType::kUntyped;
}

Variant DecodeJetField(const JetPages& pages, const JetColumn& column, const JetFieldBytes& field,
                       unsigned code_page) {
  // A Yes/No value is the null bit itself and takes no room in the row.
  if (column.type == JetType::kYesNo) return Variant::Boolean(!field.is_null);
  if (field.is_null) return Variant::Null();
  const int version = pages.jet_version();
  switch (column.type) {
    case JetType::kByte:
      return Variant::Byte(Read<uint8_t>(column, field));
    case JetType::kInteger:
      return Variant::Integer(Read<int16_t>(column, field));
    case JetType::kLong:
    case JetType::kComplex:
      return Variant::Long(Read<int32_t>(column, field));
    case JetType::kCurrency:
      return Variant::CurrencyScaled(Read<int64_t>(column, field));
    case JetType::kSingle:
      return Variant::Single(Read<float>(column, field));
    case JetType::kDouble:
      return Variant::Double(Read<double>(column, field));
    case JetType::kDateTime:
      return Variant::Date(Read<double>(column, field));
    case JetType::kText:
      return Variant::String(DecodeJetText(field.bytes, version, code_page));
    case JetType::kMemo: {
      std::string bytes = ReadLongValue(pages, column, field);
      JetBytes view(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
      return Variant::String(DecodeJetText(view, version, code_page));
    }
    case JetType::kGuid:
      if (field.bytes.size() < kGuidSize) Damaged(column);
      return Variant::String(JetGuidText(field.bytes));
    case JetType::kDecimal: {
      if (field.bytes.size() < kDecimalSize) Damaged(column);
      std::optional<std::string> text = JetDecimalText(field.bytes, column.scale);
      return text ? Variant::Decimal(*text) : Variant::Null();
    }
    default:
      // Binary and OLE data have no place in a mission; they read as Null.
      return Variant::Null();
  }
}

}  // namespace quorvane::db
