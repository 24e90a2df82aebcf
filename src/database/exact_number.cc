#include "database/exact_number.h"

#include <charconv>
#include <cstdlib>
#include <limits>

namespace quorvane::db {
namespace {

struct DecimalParts {
  bool negative = false;
  std::string digits;  // all digits, without the point
  long point = 0;      // the value is 0.<digits> * 10^point
};

std::optional<DecimalParts> SplitDecimal(std::string_view text) {
  DecimalParts parts;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    parts.negative = text[pos] == '-';
    ++pos;
  }
  bool seen_point = false;
  bool seen_digit = false;
  for (; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c >= '0' && c <= '9') {
      seen_digit = true;
      parts.digits += c;
      if (!seen_point) ++parts.point;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!seen_digit) return std::nullopt;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    long exponent = 0;
    const char* begin = text.data() + pos + 1;
    if (begin < text.data() + text.size() && *begin == '+') ++begin;
    auto result = std::from_chars(begin, text.data() + text.size(), exponent);
    if (result.ec != std::errc() || exponent > 100000 || exponent < -100000) return std::nullopt;
    pos = static_cast<size_t>(result.ptr - text.data());
    parts.point += exponent;
  }
  if (pos != text.size()) return std::nullopt;
  return parts;
}

}  // namespace

std::string ShortestText(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

bool IsDecimalText(std::string_view text) { return SplitDecimal(text).has_value(); }

std::optional<int64_t> ScaledCurrency(std::string_view text) {
  auto parts = SplitDecimal(text);
  if (!parts) return std::nullopt;
  // Digits before the point of value * 10^4, then the first digit after it.
  long whole_digits = parts->point + 4;
  constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t scaled = 0;
  for (long i = 0; i < whole_digits; ++i) {
    int digit = i < static_cast<long>(parts->digits.size()) ? parts->digits[i] - '0' : 0;
    if (scaled > (kLimit - digit) / 10) return std::nullopt;
    scaled = scaled * 10 + digit;
  }
  if (whole_digits >= 0 && whole_digits < static_cast<long>(parts->digits.size()) &&
      parts->digits[whole_digits] >= '5') {
    if (scaled == kLimit) return std::nullopt;
    ++scaled;
  }
  int64_t value = static_cast<int64_t>(scaled);
  return parts->negative ? -value : value;
}

}  // namespace quorvane::db
