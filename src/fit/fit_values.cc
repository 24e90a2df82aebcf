#include "fit/fit_values.h"

#include <cmath>
#include <limits>

namespace quorvane {
namespace {

// A whole-number result in the narrowest of Integer, Long and Double that
// holds it, starting from the subtype of the operand.
Variant WholeResult(int64_t result, VariantType operand) {
  if (operand != VariantType::kLong && result >= std::numeric_limits<int16_t>::min() &&
      result <= std::numeric_limits<int16_t>::max()) {
    return Variant::Integer(static_cast<int16_t>(result));
  }
  if (result >= std::numeric_limits<int32_t>::min() &&
      result <= std::numeric_limits<int32_t>::max()) {
    return Variant::Long(static_cast<int32_t>(result));
  }
  return Variant::Double(static_cast<double>(result));
}

// A floating result of the operand's precision: Single stays Single while it
// fits, everything else is a Double.
Variant RealResult(double result, VariantType operand) {
  if (operand == VariantType::kSingle && std::fabs(result) <= std::numeric_limits<float>::max()) {
    return Variant::Single(static_cast<float>(result));
  }
  return Variant::Double(result);
}

template <typename Whole, typename Real>
Variant Arithmetic(const Variant& value, Whole whole, Real real) {
  switch (value.type()) {
    case VariantType::kNull:
      return Variant::Null();
    case VariantType::kEmpty:
      return WholeResult(whole(0), VariantType::kInteger);
    case VariantType::kBoolean:
      return WholeResult(whole(value.boolean_value() ? -1 : 0), VariantType::kInteger);
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return WholeResult(whole(value.integer_value()), value.type());
    case VariantType::kCurrency: {
      double result = real(value.ToDouble());
      return Variant::CurrencyScaled(static_cast<int64_t>(std::nearbyint(result * 10000.0)));
    }
    case VariantType::kSingle:
      return RealResult(real(value.real_value()), VariantType::kSingle);
    default:
      return RealResult(real(value.ToDouble()), VariantType::kDouble);
  }
}

}  // namespace

bool IsNotZero(const Variant& value) {
  std::optional<int> order = CompareWithNumber(value, 0);
  return order && *order != 0;
}

bool DiffersFromText(const Variant& value, std::string_view text) {
  return !value.IsNull() && JoinedForm(value) != text;
}

bool IsNullOrBlank(const Variant& value) {
  if (value.IsNull()) return true;
  return JoinedForm(value).find_first_not_of(' ') == std::string::npos;
}

Variant TimesWhole(const Variant& value, int32_t factor) {
  return Arithmetic(
      value, [factor](int64_t v) { return v * factor; }, [factor](double v) { return v * factor; });
}

Variant PlusWhole(const Variant& value, int32_t addend) {
  return Arithmetic(
      value, [addend](int64_t v) { return v + addend; }, [addend](double v) { return v + addend; });
}

Variant Absolute(const Variant& value) {
  return Arithmetic(
      value, [](int64_t v) { return v < 0 ? -v : v; }, [](double v) { return std::fabs(v); });
}

}  // namespace quorvane
