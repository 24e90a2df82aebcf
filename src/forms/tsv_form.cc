#include "forms/tsv_form.h"

#include <charconv>
#include <cmath>
#include <span>
#include <string>

#include "database/serial_date.h"

namespace quorvane::db {
namespace {

// Appends the shortest round-trip digits of a Single or Double, plain for
// decimal exponents -5 to 15, otherwise "d.ddde+NN".
template <typename Real>
void AppendRealForm(Real value, std::string& out) {
  if (value == 0) {
    out += '0';
    return;
  }
  if (!std::isfinite(value)) {
    out += std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    return;
  }
  char buffer[64];
  char* end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  std::string_view scientific(buffer, static_cast<size_t>(end - buffer));
  size_t e = scientific.find('e');
  int exponent = 0;
  std::from_chars(buffer + e + (scientific[e + 1] == '+' ? 2 : 1), end, exponent);
  if (exponent < -5 || exponent > 15) {
    out += scientific;
    return;
  }
  // The significant digits without sign and point: "d" or "d.ddd".
  bool negative = scientific[0] == '-';
  char digits[64];
  size_t count = 0;
  for (size_t i = negative ? 1 : 0; i < e; ++i) {
    if (scientific[i] != '.') digits[count++] = scientific[i];
  }
  std::string_view significant(digits, count);
  if (negative) out += '-';
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += significant;
    return;
  }
  size_t whole = static_cast<size_t>(exponent) + 1;
  if (count <= whole) {
    out += significant;
    out.append(whole - count, '0');
  } else {
    out += significant.substr(0, whole);
    out += '.';
    out += significant.substr(whole);
  }
}

void AppendInteger(int64_t value, std::string& out) {
  char buffer[24];
  out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendCurrencyForm(int64_t scaled, std::string& out) {
  uint64_t magnitude =
      scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string fraction = std::to_string(magnitude % 10000);
  if (scaled < 0) out += '-';
  out += std::to_string(magnitude / 10000);
  out += '.';
  out.append(4 - fraction.size(), '0');
  out += fraction;
}

void AppendEscapedText(std::string_view text, std::string& out) {
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
}

}  // namespace

void AppendTsvForm(const Variant& value, std::string& out) {
  switch (value.type()) {
    case VariantType::kEmpty:
      return;
    case VariantType::kNull:
      out += "\\N";
      return;
    case VariantType::kBoolean:
      out += value.boolean_value() ? '1' : '0';
      return;
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      AppendInteger(value.integer_value(), out);
      return;
    case VariantType::kSingle:
      AppendRealForm(static_cast<float>(value.real_value()), out);
      return;
    case VariantType::kDouble:
      AppendRealForm(value.real_value(), out);
      return;
    case VariantType::kCurrency:
      AppendCurrencyForm(value.integer_value(), out);
      return;
    case VariantType::kDecimal:
      out += value.text_value();
      return;
    case VariantType::kDate:
      if (std::optional<std::string> text = DateTimeText(value.real_value())) {
        out += *text;
      } else {
        AppendRealForm(value.real_value(), out);
      }
      return;
    case VariantType::kString:
      AppendEscapedText(value.text_value(), out);
      return;
  }
}

std::string TsvForm(const Variant& value) {
  std::string out;
  AppendTsvForm(value, out);
  return out;
}

void WriteTableTsv(Database& database, std::string_view table, std::ostream& out) {
  std::vector<ColumnInfo> columns = database.Columns(table);
  // The rows go out in blocks: a stream insertion per field costs more than
  // forming the field.
  constexpr size_t kBlock = 64 * 1024;
  std::string text = "## " + std::string(table);
  for (const auto& column : columns) (text += '\t') += column.name;
  text += "\n#types";
  for (const auto& column : columns) (text += '\t') += ColumnTypeName(column.type);
  text += '\n';
  try {
    database.ReadRows(table, [&](std::span<const Variant> values) {
      for (size_t i = 0; i < values.size(); ++i) {
        if (i) text += '\t';
        AppendTsvForm(values[i], text);
      }
      text += '\n';
      if (text.size() >= kBlock) {
        out << text;
        text.clear();
      }
    });
  } catch (...) {
    out << text;  // the rows read before the damage
    throw;
  }
  out << text;
}

}  // namespace quorvane::db
