#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "database/jet_field.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

// Memo header: length with flags, then the page and row of the data.
constexpr uint32_t kMemoInline = 0x80000000u;
constexpr uint32_t kMemoSinglePage = 0x40000000u;
constexpr uint32_t kMemoLengthMask = 0x3fffffffu;
constexpr int kMemoHeader = 12;

[[noreturn]] void Damaged(const MdbColumn& column) {
  throw RuntimeError(std::string("Damaged value in field ") + column.name + " of the Jet file.");
}

template <typename T>
T Read(const MdbColumn& column, const MdbField& field) {
  if (field.siz < static_cast<int>(sizeof(T))) Damaged(column);
  T value;
  std::memcpy(&value, field.value, sizeof value);
  return value;
}

uint32_t ReadU32(const unsigned char* p) {
  uint32_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
}

// Text bytes of the file (the code page of a Jet 3 file, UCS-2 or compressed
// Unicode in a Jet 4 file) as UTF-8, in a buffer that the next text reuses.
std::string_view DecodeText(MdbHandle* mdb, const char* bytes, size_t size) {
  static thread_local std::string buffer;
  if (size == 0) return std::string_view();
  // Every byte yields at most three bytes of UTF-8.
  buffer.resize(size * 3 + 4);
  int length = mdb_unicode2ascii(mdb, bytes, size, buffer.data(), buffer.size());
  return std::string_view(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

struct GFreeDeleter {
  void operator()(char* p) const { g_free(p); }
};

// The bytes of a long-value row (memo data), or false when it cannot be found.
bool LongValueRow(MdbHandle* mdb, uint32_t page_row, const unsigned char** data, size_t* size) {
  void* buffer = nullptr;
  int start = 0;
  size_t length = 0;
  if (mdb_find_pg_row(mdb, static_cast<int>(page_row), &buffer, &start, &length) != 0) return false;
  start &= kJetRowOffsetMask;
  if (static_cast<size_t>(start) + length > static_cast<size_t>(mdb->fmt->pg_size)) return false;
  *data = static_cast<const unsigned char*>(buffer) + start;
  *size = length;
  return true;
}

std::string_view ReadMemo(MdbHandle* mdb, const MdbColumn& column, const MdbField& field,
                          size_t file_size) {
  if (field.siz < kMemoHeader) Damaged(column);
  const auto* header = static_cast<const unsigned char*>(field.value);
  uint32_t flags_and_length = ReadU32(header);
  size_t length = flags_and_length & kMemoLengthMask;
  if (length > file_size) Damaged(column);
  std::string bytes;
  if (flags_and_length & kMemoInline) {
    if (length > static_cast<size_t>(field.siz - kMemoHeader)) Damaged(column);
    bytes.assign(reinterpret_cast<const char*>(header + kMemoHeader), length);
  } else if (flags_and_length & kMemoSinglePage) {
    const unsigned char* data;
    size_t size;
    if (!LongValueRow(mdb, ReadU32(header + 4), &data, &size) || size < length) Damaged(column);
    bytes.assign(reinterpret_cast<const char*>(data), length);
  } else {
    // A chain of long-value rows, each starting with the page and row of the next.
    uint32_t page_row = ReadU32(header + 4);
    size_t max_links = file_size / static_cast<size_t>(mdb->fmt->pg_size) * 256 + 1;
    while (bytes.size() < length) {
      const unsigned char* data;
      size_t size;
      if (max_links-- == 0 || !LongValueRow(mdb, page_row, &data, &size) || size < 4) {
        Damaged(column);
      }
      bytes.append(reinterpret_cast<const char*>(data + 4),
                   std::min(size - 4, length - bytes.size()));
      page_row = ReadU32(data);
      if (page_row == 0) break;
    }
    if (bytes.size() != length) Damaged(column);
  }
  return DecodeText(mdb, bytes.data(), bytes.size());
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

Variant DecodeJetField(MdbHandle* mdb, const MdbColumn& column, const MdbField& field,
                       size_t file_size) {
  // A Yes/No value is the null bit itself and takes no room in the row.
  if (column.col_type == MDB_BOOL) return Variant::Boolean(!field.is_null);
  if (field.is_null) return Variant::Null();
  if (field.siz < 0 || field.start < 0 ||
      field.start + field.siz > static_cast<int>(mdb->fmt->pg_size)) {
    Damaged(column);
  }
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
      return Variant::String(
          DecodeText(mdb, static_cast<const char*>(field.value), static_cast<size_t>(field.siz)));
    case MDB_MEMO:
      return Variant::String(ReadMemo(mdb, column, field, file_size));
    case MDB_REPID: {
      if (field.siz < 16) Damaged(column);
      std::unique_ptr<char, GFreeDeleter> text(mdb_uuid_to_string(mdb->pg_buf, field.start));
      return Variant::String(text ? text.get() : "");
    }
    case MDB_NUMERIC: {
      if (field.siz < 17) Damaged(column);
      std::unique_ptr<char, GFreeDeleter> text(
          mdb_numeric_to_string(mdb, field.start, column.col_scale, column.col_prec));
      return text ? Variant::Decimal(text.get()) : Variant::Null();
    }
    default:
      // Binary and OLE data have no place in a mission; they read as Null.
      return Variant::Null();
  }
}

}  // namespace quorvane::db
