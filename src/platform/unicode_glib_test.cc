// The generated tables against GLib's Unicode data (the same Unicode version)
// over every code point: the comparison kept its results when it stopped
// using GLib. GLib is a test-only dependency, so this test is left out of
// builds without it.
#include "platform/unicode_text.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace quorvane::unicode {
namespace {

struct GFree {
  void operator()(gchar* p) const { g_free(p); }
};
using GText = std::unique_ptr<gchar, GFree>;

std::string Utf8(std::u32string_view characters) {
  std::string out;
  for (char32_t c : characters) AppendUtf8(out, c);
  return out;
}

std::string GlibFolded(const std::string& text) {
  return GText(g_utf8_casefold(text.data(), static_cast<gssize>(text.size()))).get();
}

std::string GlibDecomposed(const std::string& text) {
  return GText(g_utf8_normalize(text.data(), static_cast<gssize>(text.size()), G_NORMALIZE_NFD))
      .get();
}

bool IsCharacter(char32_t c) { return c != 0 && (c < 0xD800 || c > 0xDFFF); }

TEST(UnicodeTablesTest, AgreeWithGlibOnEveryCodePoint) {
  int mismatches = 0;
  for (char32_t c = 1; c <= 0x10FFFF && mismatches < 10; ++c) {
    if (!IsCharacter(c)) continue;
    std::u32string one(1, c);
    std::string text = Utf8(one);
    bool same = Utf8(FoldCase(one)) == GlibFolded(text) &&
                Utf8(DecomposeCanonical(one)) == GlibDecomposed(text) &&
                CombiningClass(c) == g_unichar_combining_class(c) &&
                IsNonspacingMark(c) == (g_unichar_type(c) == G_UNICODE_NON_SPACING_MARK);
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(c);
    }
  }
}

// Marks of several classes after one letter come out in canonical order, as
// GLib orders them; a starter between marks ends a run.
TEST(UnicodeTablesTest, OrdersMarksAsGlibDoes) {
  std::mt19937 random(20);
  const char32_t pool[] = {U'a',      U'é',      U'\u1E69', U'\u0301',     U'\u0316', U'\u0345',
                           U'\u031B', U'\u0300', U'\u05B0', U'\U0001D165', U'\u302E', U'\uAC01',
                           U'\u01C5', U'ß',      U'\u0130', U'Ω'};
  for (int round = 0; round < 2000; ++round) {
    std::u32string text;
    for (int n = random() % 8; n >= 0; --n) text += pool[random() % std::size(pool)];
    ASSERT_EQ(Utf8(DecomposeCanonical(text)), GlibDecomposed(Utf8(text)));
    ASSERT_EQ(Utf8(FoldCase(text)), GlibFolded(Utf8(text)));
  }
}

TEST(UnicodeTextTest, DecodeUtf8RefusesWhatGlibRefuses) {
  using namespace std::string_literals;
  const std::string cases[] = {"plain"s,        "caf\xC3\xA9"s,      "\xC3"s, "\xC0\x80"s,
                               "\xED\xA0\x80"s, "\xF4\x90\x80\x80"s, "a\0b"s, "\xF0\x9F\x98\x80"s,
                               "\xBF"s,         "\xEF\xBF\xBE"s};
  for (const std::string& text : cases) {
    EXPECT_EQ(DecodeUtf8(text).has_value(),
              g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr) != 0)
        << text;
  }
}

}  // namespace
}  // namespace quorvane::unicode
