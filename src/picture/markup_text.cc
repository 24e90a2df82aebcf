#include "picture/markup_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>

namespace quorvane::picture {
namespace {

void AppendCodePoint(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

constexpr uint32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `at`; sets `length` to the bytes used. An
// invalid, overlong or surrogate sequence gives U+FFFD for its first byte.
uint32_t DecodeOne(std::string_view text, size_t at, size_t& length) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  uint8_t lead = byte(at);
  length = 1;
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? (lead <= 0xF4 ? 3 : -1) : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0) return kReplacement;
  uint32_t code = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if (at + i >= text.size() || (byte(at + i) & 0xC0) != 0x80) return kReplacement;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return kReplacement;
  }
  length = static_cast<size_t>(extra) + 1;
  return code;
}

}  // namespace

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t length = 1;
    uint32_t code = DecodeOne(text, at, length);
    at += length;
    switch (code) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&#39;";
        continue;
      case '\t':
      case '\n':
      case '\r':
        out += static_cast<char>(code);
        continue;
      default:
        break;
    }
    if (code < 0x20) {
      AppendCodePoint(out, 0x2400 + code);
    } else if (code == 0x7F) {
      AppendCodePoint(out, 0x2421);
    } else if (code == 0xFFFE || code == 0xFFFF) {
      AppendCodePoint(out, kReplacement);
    } else {
      AppendCodePoint(out, code);
    }
  }
  return out;
}

std::string Number(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::string ValueText(const Variant& value) {
  if (value.IsNull()) return "Null";
  try {
    return JoinedForm(value);
  } catch (const std::exception&) {
    return "?";
  }
}

std::optional<double> NumberOf(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return std::nullopt;
  try {
    double number = value.ToDouble();
    if (std::isfinite(number)) return number;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

bool IsNumber(const Variant& value, double number) {
  std::optional<double> actual = NumberOf(value);
  return actual && *actual == number;
}

}  // namespace quorvane::picture
