// Text, GUID and Decimal values from the bytes a Jet file stores: UCS-2 with
// and without compression, cut or unpaired units, Jet 3 text in code pages
// other than Windows-1252 (also as a Jet 3 header names them), and Decimal
// values at the edges of their sign, scale and width.
#include "database/jet/jet_string.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "database/jet/jet_field.h"
#include "database/jet/jet_header.h"
#include "support/jet_builder.h"

namespace quorvane::db {
namespace {

using namespace std::string_view_literals;

JetBytes View(std::string_view bytes) {
  return JetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

struct TextCase {
  const char* what;
  int version;
  unsigned code_page;
  std::string_view bytes;
  std::string_view text;
};

TEST(JetStringTest, DecodesTextOfEveryForm) {
  const TextCase cases[] = {
      {"UCS-2", 4, 0, "A\0\xE9\0\xAC\x20"sv, "A\u00e9\u20ac"},
      {"odd length: the last byte is dropped", 4, 0, "A\0B"sv, "A"},
      {"a lone high surrogate", 4, 0,
       "\x3D\xD8"
       "A\0"sv,
       "?A"},
      {"a lone low surrogate", 4, 0, "A\0\x00\xDE"sv, "A?"},
      {"a high surrogate at the end", 4, 0, "A\0\x3D\xD8"sv, "A?"},
      {"a surrogate pair", 4, 0, "\x3D\xD8\x00\xDE"sv, "\U0001F600"},
      {"compressed", 4, 0,
       "\xFF\xFE"
       "abc"sv,
       "abc"},
      {"compressed with a stretch of plain units", 4, 0,
       "\xFF\xFE"
       "ab\0\x42\x30\0c"sv,
       "ab\u3042c"},
      {"compressed, cut inside a plain unit", 4, 0,
       "\xFF\xFE"
       "a\0\x42"sv,
       "a"},
      {"empty", 4, 0, ""sv, ""},
      {"code page 1252", 3, 1252, "caf\xE9 \x80"sv, "caf\u00e9 \u20ac"},
      {"code page 1251", 3, 1251, "\xC0\xE1\xE2 ok"sv, "\u0410\u0431\u0432 ok"},
      {"code page 932", 3, 932,
       "\x82\xA0\xB1"
       "A"sv,
       "\u3042\uff71A"},
      {"code page 932, cut inside a character", 3, 932, "A\x82"sv, "A?"},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(DecodeJetText(View(c.bytes), c.version, c.code_page), c.text) << c.what;
  }
}

TEST(JetStringTest, Jet3HeaderNamesTheCodePageOfItsText) {
  const std::pair<unsigned, unsigned> cases[] = {
      {1251, 1251}, {932, 932}, {1252, 1252}, {0, 1252}, {437, 1252}};
  for (auto [stored, read] : cases) {
    std::string page = testing::JetBuilder(3, stored).Bytes().substr(0, 2048);
    EXPECT_EQ(ReadJetHeader(View(page), 3).code_page, read) << stored;
  }
}

TEST(JetStringTest, GuidGroupsReadLittleEndian) {
  EXPECT_EQ(JetGuidText(View("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"sv)),
            "{03020100-0504-0706-0809-0A0B0C0D0E0F}");
}

// A Decimal's 17 bytes: the sign, then four 32-bit words, the highest first
// (w0 is the lowest).
std::string DecimalBytes(bool negative, uint32_t w0, uint32_t w1 = 0, uint32_t w2 = 0,
                         uint32_t w3 = 0) {
  using testing::JetBuilder;
  return std::string(1, negative ? '\x80' : '\0') + JetBuilder::U32(w3) + JetBuilder::U32(w2) +
         JetBuilder::U32(w1) + JetBuilder::U32(w0);
}

TEST(JetStringTest, DecimalsKeepSignScaleAndEveryDigit) {
  struct Case {
    std::string bytes;
    unsigned scale;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {DecimalBytes(false, 0), 0, "0"},
      {DecimalBytes(false, 0), 4, "0.0000"},
      {DecimalBytes(true, 0), 2, "0.00"},  // negative zero has no sign
      {DecimalBytes(false, 12345), 2, "123.45"},
      {DecimalBytes(true, 12345), 2, "-123.45"},
      {DecimalBytes(false, 1), 4, "0.0001"},
      {DecimalBytes(true, 5), 1, "-0.5"},
      {DecimalBytes(false, 1), 28, "0.0000000000000000000000000001"},
      // 2^96 - 1, the widest value Access writes, and 2^128 - 1.
      {DecimalBytes(false, ~0u, ~0u, ~0u), 0, "79228162514264337593543950335"},
      {DecimalBytes(true, ~0u, ~0u, ~0u), 10, "-7922816251426433759.3543950335"},
      {DecimalBytes(false, ~0u, ~0u, ~0u, ~0u), 0, "340282366920938463463374607431768211455"},
      {DecimalBytes(false, 0, 1), 0, "4294967296"},
      {DecimalBytes(false, 7), 29, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JetDecimalText(View(c.bytes), c.scale), c.text) << c.text.value_or("none");
  }
}

}  // namespace
}  // namespace quorvane::db
