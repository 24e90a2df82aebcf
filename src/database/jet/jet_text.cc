#include "database/jet/jet_text.h"

#include <algorithm>

#include "platform/unicode_text.h"

namespace quorvane::db {
namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Utf8(std::u32string_view characters) {
  std::string out;
  out.reserve(characters.size());
  for (char32_t c : characters) unicode::AppendUtf8(out, c);
  return out;
}

// The folded text with accents and other combining marks removed: the first
// key of the ordering. Text that is not UTF-8 is its own key.
std::string BaseLetters(const std::string& folded) {
  std::optional<std::u32string> characters = unicode::DecodeUtf8(folded);
  if (!characters) return folded;
  std::u32string base = unicode::DecomposeCanonical(*characters);
  std::erase_if(base, unicode::IsNonspacingMark);
  return Utf8(base);
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

std::string FoldCase(std::string_view text) {
  if (IsAscii(text)) return AsciiLower(text);
  std::optional<std::u32string> characters = unicode::DecodeUtf8(text);
  if (!characters) return AsciiLower(text);
  return Utf8(unicode::FoldCase(*characters));
}

int CompareText(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      char ca = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
      char cb = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  std::string folded_a = FoldCase(a);
  std::string folded_b = FoldCase(b);
  if (int c = BaseLetters(folded_a).compare(BaseLetters(folded_b)); c != 0) return Sign(c);
  return Sign(folded_a.compare(folded_b));
}

}  // namespace quorvane::db
