#include "database/jet/jet_string.h"

#include <string_view>

#include "platform/code_page.h"

namespace quorvane::db {
namespace {

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

// UTF-16 code units as UTF-8, pairing surrogates.
std::string Utf16ToUtf8(const std::u16string& units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    uint32_t unit = units[i];
    if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      out += '?';
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

// Compressed Unicode: one byte per character whose high byte is zero, and
// a zero byte switching between that and plain two-byte units.
std::u16string Uncompress(const JetBytes& bytes) {
  std::u16string units;
  bool compressed = true;
  for (size_t at = 2; at < bytes.size();) {
    if (bytes.U8(at) == 0) {
      compressed = !compressed;
      ++at;
    } else if (compressed) {
      units += static_cast<char16_t>(bytes.U8(at++));
    } else if (bytes.Holds(at, 2)) {
      units += static_cast<char16_t>(bytes.U16(at));
      at += 2;
    } else {
      break;
    }
  }
  return units;
}

std::u16string Ucs2(const JetBytes& bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t at = 0; bytes.Holds(at, 2); at += 2) units += static_cast<char16_t>(bytes.U16(at));
  return units;
}

}  // namespace

std::string DecodeJetText(const JetBytes& bytes, int jet_version, unsigned code_page) {
  if (jet_version == 3) {
    std::string_view text = bytes.View();
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii ? std::string(text) : CodePageToUtf8(code_page, text);
  }
  bool compressed = bytes.size() >= 2 && bytes.U8(0) == 0xFF && bytes.U8(1) == 0xFE;
  return Utf16ToUtf8(compressed ? Uncompress(bytes) : Ucs2(bytes));
}

}  // namespace quorvane::db
