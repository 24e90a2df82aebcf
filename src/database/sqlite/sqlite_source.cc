#include "database/sqlite/sqlite_source.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "database/database.h"
#include "database/exact_number.h"
#include "database/serial_date.h"
#include "database/sqlite/sqlite_handle.h"
#include "database/sqlite/sqlite_open.h"

namespace quorvane::db {
namespace {

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return std::string(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
}

// A value read by its storage class alone: integer as Long (Double beyond
// its range), real as Double, text and blobs as String.
Variant ByStorageClass(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
      return Variant::Null();
    case SQLITE_INTEGER: {
      sqlite3_int64 value = sqlite3_column_int64(stmt, column);
      if (value >= std::numeric_limits<int32_t>::min() &&
          value <= std::numeric_limits<int32_t>::max()) {
        return Variant::Long(static_cast<int32_t>(value));
      }
      return Variant::Double(static_cast<double>(value));
    }
    case SQLITE_FLOAT:
      return Variant::Double(sqlite3_column_double(stmt, column));
    default:
      return Variant::String(ColumnText(stmt, column));
  }
}

bool IsNumber(int storage) { return storage == SQLITE_INTEGER || storage == SQLITE_FLOAT; }

// A serial day number of a date from 100-01-01 to 9999-12-31 (time of day
// included).
bool IsDateSerial(double value) { return value >= -657434.0 && value < 2958466.0; }

// A real that a Single can hold (rounded to its precision).
bool FitsSingle(double value) {
  return !std::isfinite(value) || std::fabs(value) <= std::numeric_limits<float>::max();
}

// A whole number within [low, high] stored as an integer or an integral real.
// Text is not a number here, whatever its digits: it is read as text.
std::optional<int64_t> WholeNumber(sqlite3_stmt* stmt, int column, int64_t low, int64_t high) {
  int storage = sqlite3_column_type(stmt, column);
  if (storage == SQLITE_FLOAT) {
    double real = sqlite3_column_double(stmt, column);
    if (real != std::trunc(real) || real < static_cast<double>(low) ||
        real > static_cast<double>(high)) {
      return std::nullopt;
    }
    return static_cast<int64_t>(real);
  }
  if (storage != SQLITE_INTEGER) return std::nullopt;
  int64_t value = sqlite3_column_int64(stmt, column);
  if (value < low || value > high) return std::nullopt;
  return value;
}

// The exact decimal text of a Currency or Decimal value: a number's shortest
// form, or text as stored (which must then be a decimal number to fit).
std::optional<std::string> DecimalText(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_FLOAT:
      return ShortestText(sqlite3_column_double(stmt, column));
    case SQLITE_INTEGER:
    case SQLITE_TEXT:
      return ColumnText(stmt, column);
    default:
      return std::nullopt;
  }
}

// The value of a column of a declared Access type. A value whose storage class
// does not fit the type (text or a blob in a number, Yes/No or date column, a
// number outside the type's range, a date that is a number) is read as what
// it is; the compiler's conversions then decide what becomes of it.
Variant Decode(sqlite3_stmt* stmt, int column, ColumnType type) {
  int storage = sqlite3_column_type(stmt, column);
  if (storage == SQLITE_NULL) return Variant::Null();
  bool numeric = IsNumber(storage);
  switch (type) {
    case ColumnType::kYesNo:
      if (numeric) return Variant::Boolean(sqlite3_column_double(stmt, column) != 0);
      break;
    case ColumnType::kByte:
      if (auto value = WholeNumber(stmt, column, 0, 255)) {
        return Variant::Byte(static_cast<uint8_t>(*value));
      }
      break;
    case ColumnType::kInteger:
      if (auto value = WholeNumber(stmt, column, -32768, 32767)) {
        return Variant::Integer(static_cast<int16_t>(*value));
      }
      break;
    case ColumnType::kLong:
      if (auto value = WholeNumber(stmt, column, std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max())) {
        return Variant::Long(static_cast<int32_t>(*value));
      }
      break;
    case ColumnType::kSingle:
      if (numeric && FitsSingle(sqlite3_column_double(stmt, column))) {
        return Variant::Single(static_cast<float>(sqlite3_column_double(stmt, column)));
      }
      break;
    case ColumnType::kDouble:
      if (numeric) return Variant::Double(sqlite3_column_double(stmt, column));
      break;
    case ColumnType::kCurrency:
      if (auto text = DecimalText(stmt, column)) {
        if (auto scaled = ScaledCurrency(*text)) return Variant::CurrencyScaled(*scaled);
      }
      break;
    case ColumnType::kDecimal:
      if (auto text = DecimalText(stmt, column); text && IsDecimalText(*text)) {
        return Variant::Decimal(*text);
      }
      break;
    case ColumnType::kDateTime:
      // A number is the date's serial, within the years 100 to 9999.
      if (numeric && IsDateSerial(sqlite3_column_double(stmt, column))) {
        return Variant::Date(sqlite3_column_double(stmt, column));
      }
      if (storage != SQLITE_TEXT) break;
      if (auto serial = SerialFromDateText(ColumnText(stmt, column))) return Variant::Date(*serial);
      break;
    case ColumnType::kText:
    case ColumnType::kMemo:
    case ColumnType::kGuid:
      return Variant::String(ColumnText(stmt, column));
    case ColumnType::kBinary:
    case ColumnType::kOle:
    case ColumnType::kUntyped:
      break;
  }
  return ByStorageClass(stmt, column);
}

class SqliteSource : public TableSource {
 public:
  explicit SqliteSource(SqliteDb db) : db_(std::move(db)) {}

  std::vector<std::string> TableNames() override {
    auto stmt = Prepare(db_.get(),
                        "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                        "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
    std::vector<std::string> names;
    while (Step(stmt.get())) names.push_back(ColumnText(stmt.get(), 0));
    return names;
  }

  std::vector<ColumnInfo> Columns(const std::string& table) override {
    auto stmt = Prepare(db_.get(), "SELECT name, type FROM pragma_table_info(?1)");
    sqlite3_bind_text(stmt.get(), 1, table.data(), static_cast<int>(table.size()),
                      SQLITE_TRANSIENT);
    std::vector<ColumnInfo> columns;
    while (Step(stmt.get())) {
      columns.push_back(
          {ColumnText(stmt.get(), 0), ColumnTypeFromDeclared(ColumnText(stmt.get(), 1))});
    }
    return columns;
  }

  TableData Load(const std::string& table) override {
    TableData data(table, Columns(table));
    auto rows = Prepare(db_.get(), "SELECT count(*) FROM " + QuoteIdentifier(table));
    if (Step(rows.get())) data.Reserve(static_cast<size_t>(sqlite3_column_int64(rows.get(), 0)));
    ReadRows(table, data.columns(), [&](std::span<Variant> values) { data.AddRow(values); });
    return data;
  }

  void ReadRows(const std::string& table, const RowReader& row) override {
    ReadRows(table, Columns(table), row);
  }

 private:
  void ReadRows(const std::string& table, const std::vector<ColumnInfo>& columns,
                const RowReader& row) {
    std::string select = "SELECT * FROM " + QuoteIdentifier(table);
    SqliteStatement stmt;
    try {
      stmt = Prepare(db_.get(), select + " ORDER BY rowid");
    } catch (const RuntimeError&) {
      stmt = Prepare(db_.get(), select);  // a table without rowid
    }
    int count = sqlite3_column_count(stmt.get());
    if (count != static_cast<int>(columns.size())) {
      throw RuntimeError("Cannot read table " + table + ".");
    }
    std::vector<Variant> values(static_cast<size_t>(count));
    while (Step(stmt.get())) {
      for (int i = 0; i < count; ++i) {
        values[static_cast<size_t>(i)] =
            Decode(stmt.get(), i, columns[static_cast<size_t>(i)].type);
      }
      row(values);
    }
  }

  bool Step(sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw RuntimeError("Cannot read the database: " + std::string(sqlite3_errmsg(db_.get())));
  }

  SqliteDb db_;
};

}  // namespace

std::unique_ptr<TableSource> OpenSqliteSource(const std::string& path) {
  return std::make_unique<SqliteSource>(OpenCheckedSqlite(path));
}

}  // namespace quorvane::db
