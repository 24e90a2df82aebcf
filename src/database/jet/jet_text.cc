#include "database/jet/jet_text.h"

#include <glib.h>

#include <algorithm>
#include <memory>

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

struct GFreeDeleter {
  void operator()(gchar* p) const { g_free(p); }
};
using GString = std::unique_ptr<gchar, GFreeDeleter>;

bool IsValidUtf8(std::string_view text) {
  return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

// The folded text with accents and other combining marks removed: the first
// key of the ordering.
std::string BaseLetters(const std::string& folded) {
  GString decomposed(
      g_utf8_normalize(folded.c_str(), static_cast<gssize>(folded.size()), G_NORMALIZE_NFD));
  if (!decomposed) return folded;
  std::string out;
  for (const gchar* p = decomposed.get(); *p != '\0'; p = g_utf8_next_char(p)) {
    gunichar c = g_utf8_get_char(p);
    if (g_unichar_type(c) == G_UNICODE_NON_SPACING_MARK) continue;
    char buffer[6];
    out.append(buffer, static_cast<size_t>(g_unichar_to_utf8(c, buffer)));
  }
  return out;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

std::string FoldCase(std::string_view text) {
  if (IsAscii(text) || !IsValidUtf8(text)) return AsciiLower(text);
  GString folded(g_utf8_casefold(text.data(), static_cast<gssize>(text.size())));
  return std::string(folded.get());
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
