#include "forms/sql_twin.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "database/exact_number.h"
#include "database/serial_date.h"
#include "database/sqlite/sqlite_handle.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

// A Date/Time value written as its text when the text reads back within half
// a millisecond, which the value's printed forms cannot tell apart.
constexpr double kDateTolerance = 0.5 / 86400000.0;

// A number literal that SQLite reads as a real: "-90.0", "0.1", "1e+308".
std::string RealLiteral(std::string digits) {
  if (digits == "inf") return "9e999";
  if (digits == "-inf") return "-9e999";
  if (digits.find_first_of(".e") == std::string::npos) digits += ".0";
  return digits;
}

// The fewest digits that read back, as a double turned into a Single, to the
// same Single.
std::string SingleDigits(float value) {
  char buffer[64];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::string digits(buffer, end);
  if (std::isfinite(value) && static_cast<float>(std::strtod(digits.c_str(), nullptr)) != value) {
    return ShortestText(value);
  }
  return digits;
}

std::string DoubleDigits(double value) {
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return ShortestText(value);
}

bool IsControl(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// The control picture that stands for a control character inside a quoted
// text (U+2400 + n, U+2421 for DEL), as UTF-8.
std::string Picture(char c) {
  auto byte = static_cast<unsigned char>(c);
  unsigned code = byte == 0x7F ? 0x2421 : 0x2400 + byte;
  return {'\xE2', static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
          static_cast<char>(0x80 | (code & 0x3F))};
}

// A text as a SQL literal, on one line: each control character is written
// as its control picture, which replace(..., char(n)) turns back into it.
// A text that holds control pictures itself is written as its bytes.
std::string TextLiteral(std::string_view text) {
  std::string controls;
  for (char c : text) {
    if (IsControl(c) && controls.find(c) == std::string::npos) controls += c;
  }
  if (controls.empty()) return QuoteText(text);
  if (text.find("\xE2\x90") != std::string_view::npos) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "CAST(X'";
    for (char c : text) {
      auto byte = static_cast<unsigned char>(c);
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
    return out + "' AS TEXT)";
  }
  std::string body;
  for (char c : text) body += IsControl(c) ? Picture(c) : std::string(1, c);
  std::string literal = QuoteText(body);
  for (char c : controls) {
    literal = "replace(" + literal + ", '" + Picture(c) + "', char(" +
              std::to_string(static_cast<int>(c)) + "))";
  }
  return literal;
}

std::string DateLiteral(double serial) {
  if (auto text = DateTimeText(serial)) {
    auto back = SerialFromDateText(*text);
    if (back && std::fabs(*back - serial) <= kDateTolerance) return TextLiteral(*text);
  }
  return RealLiteral(DoubleDigits(serial));
}

std::string Literal(const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      return "NULL";
    case VariantType::kBoolean:
      return value.boolean_value() ? "-1" : "0";
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return std::to_string(value.integer_value());
    case VariantType::kSingle: {
      auto single = static_cast<float>(value.real_value());
      return std::isnan(single) ? "NULL" : RealLiteral(SingleDigits(single));
    }
    case VariantType::kDouble:
      return std::isnan(value.real_value()) ? "NULL"
                                            : RealLiteral(DoubleDigits(value.real_value()));
    case VariantType::kCurrency:
    case VariantType::kDecimal:
      return JoinedForm(value);
    case VariantType::kDate:
      return DateLiteral(value.real_value());
    case VariantType::kString:
      return TextLiteral(value.text_value());
  }
  return "NULL";
}

void WriteCreateTable(const std::string& table, const std::vector<ColumnInfo>& columns,
                      std::ostream& out) {
  out << "CREATE TABLE " << QuoteIdentifier(table) << " (";
  for (size_t i = 0; i < columns.size(); ++i) {
    std::string_view type = DeclaredTypeName(columns[i].type);
    out << (i ? "," : "") << "\n  " << QuoteIdentifier(columns[i].name) << (type.empty() ? "" : " ")
        << type;
  }
  out << "\n);\n";
}

void WriteRows(Database& database, const std::string& table, const std::vector<ColumnInfo>& columns,
               std::ostream& out) {
  std::string head = "INSERT INTO " + QuoteIdentifier(table) + " (";
  for (size_t i = 0; i < columns.size(); ++i) {
    head += (i ? ", " : "") + QuoteIdentifier(columns[i].name);
  }
  head += ") VALUES (";
  auto rows = database.OpenRecordset("[" + table + "]");
  for (; !rows->Eof(); rows->MoveNext()) {
    out << head;
    for (size_t i = 0; i < columns.size(); ++i) {
      out << (i ? ", " : "") << Literal(rows->Field(columns[i].name));
    }
    out << ");\n";
  }
}

}  // namespace

void WriteSqlTwin(Database& database, std::ostream& out) {
  std::vector<std::string> tables = database.TableNames();
  out << "BEGIN TRANSACTION;\n";
  for (const std::string& table : tables) WriteCreateTable(table, database.Columns(table), out);
  for (const std::string& table : tables) WriteRows(database, table, database.Columns(table), out);
  out << "COMMIT;\n";
}

void CreateSqliteDatabase(const std::string& path, const std::string& sql) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  SqliteDb db(raw);
  if (rc != SQLITE_OK) {
    throw RuntimeError("Cannot create '" + path +
                       "': " + (raw ? sqlite3_errmsg(raw) : "out of memory"));
  }
  Execute(db.get(), sql);
}

}  // namespace quorvane::db
