#include "platform/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <variant>
#include <limits>

#include "platform/date_text.h"
#include "platform/number_text.h"
#include "platform/runtime_error.h"

namespace quorvane {
namespace {

// Currency: a 64-bit count of ten-thousandths, written with up to four decimals.
std::string CurrencyText(int64_t scaled) {
  bool negative = scaled < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return negative ? "-" + text : text;
}

// An exact decimal in its plain form: leading zero before the point, no
// trailing zeros after it, no sign on zero.
std::string DecimalText(const std::string& raw) {
  std::string text = raw;
  bool negative = !text.empty() && text[0] == '-';
  if (negative || (!text.empty() && text[0] == '+')) text.erase(0, 1);
  size_t point = text.find('.');
  if (point != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  size_t first = text.find_first_not_of('0');
  if (first == std::string::npos) return "0";
  text.erase(0, first);
  if (text.empty() || text[0] == '.') text = "0" + text;
  return negative ? "-" + text : text;
}

}  // namespace

Variant::Payload Variant::MakeText(std::string_view text) {
  void* block = ::operator new(sizeof(Text) + text.size());
  Text* shared = new (block) Text{{1}, static_cast<uint32_t>(text.size())};
  if (!text.empty())
    std::memcpy(static_cast<char*>(block) + sizeof(Text), text.data(), text.size());
  Payload payload;
  payload.text = shared;
  return payload;
}

void Variant::Release() {
  if (!HoldsText()) return;
  if (value_.text->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    value_.text->~Text();
    ::operator delete(value_.text);
  }
  type_ = VariantType::kEmpty;
}

void Variant::Require(bool holds) {
  if (!holds) throw std::bad_variant_access();
}

Variant Variant::Null() { return Variant(VariantType::kNull, Payload{}); }
Variant Variant::Boolean(bool value) { return Variant(VariantType::kBoolean, {.boolean = value}); }
Variant Variant::Byte(uint8_t value) { return Variant(VariantType::kByte, WholeNumber(value)); }
Variant Variant::Integer(int16_t value) {
  return Variant(VariantType::kInteger, WholeNumber(value));
}
Variant Variant::Long(int32_t value) { return Variant(VariantType::kLong, WholeNumber(value)); }
Variant Variant::Single(float value) { return Variant(VariantType::kSingle, RealNumber(value)); }
Variant Variant::Double(double value) { return Variant(VariantType::kDouble, RealNumber(value)); }
Variant Variant::CurrencyScaled(int64_t ten_thousandths) {
  return Variant(VariantType::kCurrency, WholeNumber(ten_thousandths));
}
Variant Variant::Decimal(std::string_view decimal_text) {
  return Variant(VariantType::kDecimal, MakeText(DecimalText(std::string(decimal_text))));
}
Variant Variant::Date(double serial_days) {
  return Variant(VariantType::kDate, RealNumber(serial_days));
}
Variant Variant::String(std::string_view text) {
  return Variant(VariantType::kString, MakeText(text));
}

bool Variant::IsNumeric() const {
  switch (type_) {
    case VariantType::kEmpty:
    case VariantType::kNull:
    case VariantType::kString:
      return false;
    default:
      return true;
  }
}

double Variant::ToDouble() const {
  switch (type_) {
    case VariantType::kEmpty:
      return 0;
    case VariantType::kNull:
      ThrowInvalidUseOfNull(this);
    case VariantType::kBoolean:
      return boolean_value() ? -1 : 0;
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return static_cast<double>(integer_value());
    case VariantType::kCurrency:
      return static_cast<double>(integer_value()) / 10000.0;
    case VariantType::kSingle:
    case VariantType::kDouble:
    case VariantType::kDate:
      return real_value();
    case VariantType::kDecimal:
      return std::strtod(std::string(text_value()).c_str(), nullptr);
    case VariantType::kString: {
      std::optional<double> number = ParseNumberText(text_value());
      if (!number) ThrowTypeMismatch("'" + std::string(text_value()) + "' is not a number", this);
      return *number;
    }
  }
  return 0;
}

int16_t Variant::ToInteger() const {
  double rounded = std::nearbyint(ToDouble());
  if (!(rounded >= -32768.0 && rounded <= 32767.0))
    ThrowOverflow(JoinedForm(*this), "Integer", this);
  return static_cast<int16_t>(rounded);
}

int32_t Variant::ToLong() const {
  double rounded = std::nearbyint(ToDouble());
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    ThrowOverflow(JoinedForm(*this), "Long", this);
  }
  return static_cast<int32_t>(rounded);
}

std::string Variant::ToText() const {
  if (type_ == VariantType::kNull) ThrowInvalidUseOfNull(this);
  return JoinedForm(*this);
}

bool Variant::IsTrue() const {
  if (type_ == VariantType::kBoolean) return boolean_value();
  if (!IsNumeric()) return false;
  return ToDouble() == -1;
}

std::string JoinedForm(const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      return "";
    case VariantType::kBoolean:
      return value.boolean_value() ? "True" : "False";
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return std::to_string(value.integer_value());
    case VariantType::kCurrency:
      return CurrencyText(value.integer_value());
    case VariantType::kSingle:
      return PlainDecimal(value.real_value(), 7);
    case VariantType::kDouble:
      return PlainDecimal(value.real_value(), 15);
    case VariantType::kDate:
      return DateText(value.real_value());
    case VariantType::kDecimal:
    case VariantType::kString:
      return std::string(value.text_value());
  }
  return "";
}

std::string PrintedForm(const Variant& value) {
  switch (value.type()) {
    case VariantType::kNull:
      return "Null";
    case VariantType::kEmpty:
    case VariantType::kBoolean:
    case VariantType::kDate:
    case VariantType::kString:
      return JoinedForm(value);
    default:
      break;
  }
  // Numbers: a blank or minus sign in front, no zero before the point, a
  // blank after.
  std::string text = JoinedForm(value);
  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  return (negative ? "-" : " ") + text + " ";
}

bool EqualsText(const Variant& value, std::string_view text) {
  if (value.IsNull()) return false;
  return JoinedForm(value) == text;
}

std::optional<int> CompareWithNumber(const Variant& value, double number) {
  if (value.IsNull()) return std::nullopt;
  double own = value.ToDouble();
  return own < number ? -1 : own > number ? 1 : 0;
}

bool EqualsNumber(const Variant& value, double number) {
  std::optional<int> order = CompareWithNumber(value, number);
  return order && *order == 0;
}

int16_t CheckedInteger(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    ThrowOverflow(std::to_string(value), "Integer");
  return static_cast<int16_t>(value);
}

int32_t CheckedLong(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    ThrowOverflow(std::to_string(value), "Long");
  return static_cast<int32_t>(value);
}

}  // namespace quorvane
