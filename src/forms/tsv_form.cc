#include "forms/tsv_form.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "database/serial_date.h"

namespace quorvane::db {
namespace {

// The shortest round-trip digits of a Single or Double, plain for decimal
// exponents -5 to 15, otherwise "d.ddde+NN".
template <typename Real>
std::string RealForm(Real value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::string scientific(buffer, result.ptr);
  size_t e = scientific.find('e');
  int exponent = std::atoi(scientific.c_str() + e + 1);
  if (exponent < -5 || exponent > 15) return scientific;
  bool negative = scientific[0] == '-';
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < e; ++i) {
    if (scientific[i] != '.') digits += scientific[i];
  }
  std::string out = negative ? "-" : "";
  if (exponent < 0) {
    out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
    out += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." +
           digits.substr(static_cast<size_t>(exponent) + 1);
  }
  return out;
}

std::string CurrencyForm(int64_t scaled) {
  uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string fraction = std::to_string(magnitude % 10000);
  return (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." +
         std::string(4 - fraction.size(), '0') + fraction;
}

std::string EscapedText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

std::string TsvForm(const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
      return "";
    case VariantType::kNull:
      return "\\N";
    case VariantType::kBoolean:
      return value.boolean_value() ? "1" : "0";
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return std::to_string(value.integer_value());
    case VariantType::kSingle:
      return RealForm(static_cast<float>(value.real_value()));
    case VariantType::kDouble:
      return RealForm(value.real_value());
    case VariantType::kCurrency:
      return CurrencyForm(value.integer_value());
    case VariantType::kDecimal:
      return std::string(value.text_value());
    case VariantType::kDate:
      return DateTimeText(value.real_value()).value_or(RealForm(value.real_value()));
    case VariantType::kString:
      return EscapedText(value.text_value());
  }
  return "";
}

void WriteTableTsv(Database& database, std::string_view table, std::ostream& out) {
  std::vector<ColumnInfo> columns = database.Columns(table);
  auto records = database.OpenRecordset("[" + std::string(table) + "]");
  out << "## " << table;
  for (const auto& column : columns) out << '\t' << column.name;
  out << "\n#types";
  for (const auto& column : columns) out << '\t' << ColumnTypeName(column.type);
  out << '\n';
  for (; !records->Eof(); records->MoveNext()) {
    for (size_t i = 0; i < columns.size(); ++i) {
      out << (i ? "\t" : "") << TsvForm(records->Field(columns[i].name));
    }
    out << '\n';
  }
}

}  // namespace quorvane::db
