#include "platform/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace quorvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Hexadecimal and octal literals of up to 16 bits read as 16-bit values and
// up to 32 bits as 32-bit values, so &HFFFF is -1.
double RadixValue(std::string_view digits, int radix) {
  uint64_t value = 0;
  for (char c : digits) {
    int d = std::isdigit(static_cast<unsigned char>(c))
                ? c - '0'
                : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    value = value * radix + d;
    if (value > 0xFFFFFFFFull) return static_cast<double>(value);
  }
  if (value <= 0xFFFF) {
    return value > 0x7FFF ? static_cast<double>(static_cast<int64_t>(value) - 0x10000)
                          : static_cast<double>(value);
  }
  return value > 0x7FFFFFFF ? static_cast<double>(static_cast<int64_t>(value) - 0x100000000ll)
                            : static_cast<double>(value);
}

bool IsRadixDigit(char c, int radix) {
  if (radix == 8) return c >= '0' && c <= '7';
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Scans a number at the start of `text` (no blanks inside). Returns the number
// of characters used; `value` receives the number.
size_t ScanNumber(std::string_view text, double& value) {
  value = 0;
  if (text.size() >= 2 && text[0] == '&') {
    char prefix = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    int radix = prefix == 'H' ? 16 : prefix == 'O' ? 8 : 0;
    if (radix != 0) {
      size_t end = 2;
      while (end < text.size() && IsRadixDigit(text[end], radix)) ++end;
      if (end == 2) return 0;
      value = RadixValue(text.substr(2, end - 2), radix);
      return end;
    }
  }
  std::string normal;
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
  size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    normal += text[i++];
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    normal += text[i++];
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      normal += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t exponent_digits = 0;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
      exponent += text[j++];
      ++exponent_digits;
    }
    if (exponent_digits > 0) {
      normal += exponent;
      i = j;
    }
  }
  value = std::strtod(normal.c_str(), nullptr);
  return i;
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string_view body = text.substr(begin, end - begin);
  if (body.empty()) return std::nullopt;
  double value = 0;
  size_t used = ScanNumber(body, value);
  if (used == 0 || used != body.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

double ReadLeadingNumber(std::string_view text) {
  std::string packed;
  packed.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') packed += c;
  }
  double value = 0;
  ScanNumber(packed, value);
  return std::isfinite(value) ? value : 0;
}

std::string PlainDecimal(double value, int digits) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buffer[64];
  // A whole number with no more digits than asked for is written as it is.
  if (value == std::trunc(value) && std::fabs(value) < std::pow(10.0, digits)) {
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value)).ptr;
    return std::string(buffer, end);
  }
  // [-]d.ddddde[+-]xx, the digits rounded as printf's %.*e rounds them.
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            digits - 1)
                  .ptr;
  std::string_view text(buffer, static_cast<size_t>(end - buffer));
  bool negative = text[0] == '-';
  if (negative) text.remove_prefix(1);
  size_t e = text.find('e');
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent);
  char mantissa[64];
  size_t length = 0;
  for (size_t i = 0; i < e; ++i) {
    if (text[i] != '.') mantissa[length++] = text[i];
  }
  while (length > 1 && mantissa[length - 1] == '0') --length;
  std::string result;
  if (negative) result += '-';
  int point = exponent + 1;  // digits before the decimal point
  if (point <= 0) {
    result.append("0.").append(static_cast<size_t>(-point), '0').append(mantissa, length);
  } else if (static_cast<size_t>(point) >= length) {
    result.append(mantissa, length).append(static_cast<size_t>(point) - length, '0');
  } else {
    result.append(mantissa, static_cast<size_t>(point))
        .append(".")
        .append(mantissa + point, length - static_cast<size_t>(point));
  }
  return result;
}

}  // namespace quorvane
