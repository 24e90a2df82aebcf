#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "database/jet/jet_field.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

// Memo header: length with flags, then the page and row of the data.
constexpr uint32_t kMemoInline = 0x80000000u;
constexpr uint32_t kMemoSinglePage = 0x40000000u;
constexpr uint32_t kMemoLengthMask = 0x3fffffffu;
constexpr size_t kMemoHeader = 12;
constexpr size_t kGuidSize = 16;
constexpr size_t kDecimalSize = 17;

[[noreturn]] void Damaged(const MdbColumn& column) {
  throw RuntimeError(std::string("Damaged value in field ") + column.name + " of the Jet file.");
}

template <typename T>
T Read(const MdbColumn& column, const JetFieldBytes& field) {
  if (field.size < sizeof(T)) Damaged(column);
  T value;
  std::memcpy(&value, field.data, sizeof value);
  return value;
}

// Text bytes of the file (the code page of a Jet 3 file, UCS-2 or compressed
// Unicode in a Jet 4 file) as UTF-8, in a buffer that the next text reuses.
std::string_view DecodeText(MdbHandle* mdb, const unsigned char* bytes, size_t size) {
  static thread_local std::string buffer;
  if (size == 0) return std::string_view();
  // Every byte yields at most three bytes of UTF-8.
  buffer.resize(size * 3 + 4);
  int length = mdb_unicode2ascii(mdb, reinterpret_cast<const char*>(bytes), size, buffer.data(),
                                 buffer.size());
  return std::string_view(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

struct GFreeDeleter {
  void operator()(char* p) const { g_free(p); }
};

// The text of a memo value: held in the row itself, in one long-value row,
// or in a chain of long-value rows on other pages, each starting with the
// pointer to the next.
std::string_view ReadMemo(MdbHandle* mdb, const JetPages& pages, const MdbColumn& column,
                          const JetFieldBytes& field) {
  if (field.size < kMemoHeader) Damaged(column);
  const unsigned char* header = field.data;
  uint32_t flags_and_length = ReadJetU32(header);
  size_t length = flags_and_length & kMemoLengthMask;
  if (length > pages.page_count() * pages.page_size()) Damaged(column);
  std::string bytes;
  if (flags_and_length & kMemoInline) {
    if (length > field.size - kMemoHeader) Damaged(column);
    bytes.assign(reinterpret_cast<const char*>(header + kMemoHeader), length);
  } else if (flags_and_length & kMemoSinglePage) {
    std::optional<JetSlot> slot = pages.SlotAt(ReadJetU32(header + 4));
    if (!slot || slot->row.size < length) Damaged(column);
    bytes.assign(reinterpret_cast<const char*>(slot->row.data), length);
  } else {
    uint32_t pointer = ReadJetU32(header + 4);
    size_t max_links = pages.page_count() * 256 + 1;
    while (bytes.size() < length) {
      std::optional<JetSlot> slot = pages.SlotAt(pointer);
      if (max_links-- == 0 || !slot || slot->row.size < 4) Damaged(column);
      const JetRowBytes& row = slot->row;
      bytes.append(reinterpret_cast<const char*>(row.data + 4),
                   std::min(row.size - 4, length - bytes.size()));
      pointer = ReadJetU32(row.data);
      if (pointer == 0) break;
    }
    if (bytes.size() != length) Damaged(column);
  }
  return DecodeText(mdb, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace

ColumnType JetColumnType(int mdb_type) {
  switch (mdb_type) {
    case MDB_BOOL:
      return ColumnType::kYesNo;
    case MDB_BYTE:
      return ColumnType::kByte;
    case MDB_INT:
      return ColumnType::kInteger;
    case MDB_LONGINT:
    case MDB_COMPLEX:
      return ColumnType::kLong;
    case MDB_MONEY:
      return ColumnType::kCurrency;
    case MDB_FLOAT:
      return ColumnType::kSingle;
    case MDB_DOUBLE:
      return ColumnType::kDouble;
    case MDB_DATETIME:
      return ColumnType::kDateTime;
    case MDB_BINARY:
      return ColumnType::kBinary;
    case MDB_TEXT:
      return ColumnType::kText;
    case MDB_OLE:
      return ColumnType::kOle;
    case MDB_MEMO:
      return ColumnType::kMemo;
    case MDB_REPID:
      return ColumnType::kGuid;
    case MDB_NUMERIC:
      return ColumnType::kDecimal;
    default:
      return ColumnType::kUntyped;
  }
}

Variant DecodeJetField(MdbHandle* mdb, const JetPages& pages, const MdbColumn& column,
                       const JetFieldBytes& field) {
  // A Yes/No value is the null bit itself and takes no room in the row.
  if (column.col_type == MDB_BOOL) return Variant::Boolean(!field.is_null);
  if (field.is_null) return Variant::Null();
  switch (column.col_type) {
    case MDB_BYTE:
      return Variant::Byte(Read<uint8_t>(column, field));
    case MDB_INT:
      return Variant::Integer(Read<int16_t>(column, field));
    case MDB_LONGINT:
    case MDB_COMPLEX:
      return Variant::Long(Read<int32_t>(column, field));
    case MDB_MONEY:
      return Variant::CurrencyScaled(Read<int64_t>(column, field));
    case MDB_FLOAT:
      return Variant::Single(Read<float>(column, field));
    case MDB_DOUBLE:
      return Variant::Double(Read<double>(column, field));
    case MDB_DATETIME:
      return Variant::Date(Read<double>(column, field));
    case MDB_TEXT:
      return Variant::String(DecodeText(mdb, field.data, field.size));
    case MDB_MEMO:
      return Variant::String(ReadMemo(mdb, pages, column, field));
    case MDB_REPID: {
      if (field.size < kGuidSize) Damaged(column);
      std::unique_ptr<char, GFreeDeleter> text(mdb_uuid_to_string(field.data, 0));
      return Variant::String(text ? text.get() : "");
    }
    case MDB_NUMERIC: {
      if (field.size < kDecimalSize) Damaged(column);
      // libmdb reads a decimal from its page buffer, which holds no page
      // this reader needs any more.
      std::memcpy(mdb->pg_buf, field.data, kDecimalSize);
      std::unique_ptr<char, GFreeDeleter> text(
          mdb_numeric_to_string(mdb, 0, column.col_scale, column.col_prec));
      return text ? Variant::Decimal(text.get()) : Variant::Null();
    }
    default:
      // Binary and OLE data have no place in a mission; they read as Null.
      return Variant::Null();
  }
}

}  // namespace quorvane::db
