// Text comparison against the comparison GLib made before the generated
// tables replaced it: equal, ordered and folded alike over random texts of
// letters, accents, combining marks, case pairs and broken UTF-8.
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "database/jet/jet_text.h"

namespace quorvane::db {
namespace {

struct GFree {
  void operator()(gchar* p) const { g_free(p); }
};
using GText = std::unique_ptr<gchar, GFree>;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

std::string GlibFoldCase(std::string_view text) {
  if (IsAscii(text) || !g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    return AsciiLower(text);
  }
  return GText(g_utf8_casefold(text.data(), static_cast<gssize>(text.size()))).get();
}

std::string GlibBaseLetters(const std::string& folded) {
  GText decomposed(
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

int GlibCompareText(std::string_view a, std::string_view b) {
  std::string folded_a = GlibFoldCase(a);
  std::string folded_b = GlibFoldCase(b);
  if (IsAscii(a) && IsAscii(b)) return Sign(folded_a.compare(folded_b));
  if (int c = GlibBaseLetters(folded_a).compare(GlibBaseLetters(folded_b)); c != 0) return Sign(c);
  return Sign(folded_a.compare(folded_b));
}

TEST(TextComparisonTest, AgreesWithGlibOverRandomTexts) {
  const std::string_view pieces[] = {"a",
                                     "E",
                                     "e",
                                     "z",
                                     "_",
                                     " ",
                                     "1",
                                     "\xC3\xA9",
                                     "\xC3\x89",
                                     "e\xCC\x81",
                                     "E\xCC\x81",
                                     "\xC3\x9F",
                                     "SS",
                                     "ss",
                                     "\xC7\x85",
                                     "\xCE\xA3",
                                     "\xCF\x82",
                                     "\xCF\x83",
                                     "\xEF\xAC\x81",
                                     "fi",
                                     "\xC4\xB0",
                                     "i\xCC\x87",
                                     "\xEA\xB0\x81",
                                     "\xE1\x84\x80",
                                     "\xCC\x96",
                                     "\xCD\x85",
                                     "\xE2\x84\xAA",
                                     "k",
                                     "\xE1\x8E\xA0",
                                     "\xEA\xAD\xB0",
                                     "\xF0\x90\x90\x80",
                                     "\xF0\x90\x90\xA8"};
  std::mt19937 random(5);
  auto text = [&] {
    std::string out;
    for (int n = static_cast<int>(random() % 5); n >= 0; --n) {
      out += pieces[random() % std::size(pieces)];
    }
    return out;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string a = text();
    std::string b = text();
    ASSERT_EQ(FoldCase(a), GlibFoldCase(a)) << a;
    ASSERT_EQ(CompareText(a, b), GlibCompareText(a, b)) << a << " | " << b;
  }
}

}  // namespace
}  // namespace quorvane::db
