#include "picture/markup_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvane::picture {
namespace {

TEST(EscapedTest, DatabaseTextStaysTextInMarkup) {
  struct Case {
    std::string text;
    std::string escaped;
  };
  const Case cases[] = {
      {"<script>", "&lt;script&gt;"},
      {"A & B", "A &amp; B"},
      {"\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
      {"tab\tline\nreturn\r", "tab\tline\nreturn\r"},
      {std::string("nul\0end", 7), "nul\u2400end"},
      {"bell\x07 unit\x1f del\x7f", "bell\u2407 unit\u241f del\u2421"},
      {"Ünïcödé ✓ 𝔐", "Ünïcödé ✓ 𝔐"},
      {"bad \xff byte", "bad \ufffd byte"},
      {"cut \xe2\x9c", "cut \ufffd\ufffd"},
      {"overlong \xc0\xbc", "overlong \ufffd\ufffd"},
      {"surrogate \xed\xa0\x80", "surrogate \ufffd\ufffd\ufffd"},
      {"not a character \xef\xbf\xbe", "not a character \ufffd"},
  };
  for (const Case& c : cases) EXPECT_EQ(Escaped(c.text), c.escaped) << c.text;
}

TEST(NumberTest, KeepsTwoDecimalsAndNoNegativeZero) {
  EXPECT_EQ(Number(12.5), "12.5");
  EXPECT_EQ(Number(-3), "-3");
  EXPECT_EQ(Number(1.0 / 3), "0.33");
  EXPECT_EQ(Number(-0.001), "0");
  EXPECT_EQ(Number(1e9), "1000000000");
  EXPECT_EQ(Number(std::numeric_limits<double>::quiet_NaN()), "0");
}

TEST(NumberOfTest, OnlyFiniteNumbersCanBeDrawn) {
  EXPECT_EQ(NumberOf(Variant::Integer(-90)), -90);
  EXPECT_EQ(NumberOf(Variant::Single(0.5F)), 0.5);
  EXPECT_EQ(NumberOf(Variant::String("250")), 250);
  EXPECT_FALSE(NumberOf(Variant::Null()));
  EXPECT_FALSE(NumberOf(Variant()));
  EXPECT_FALSE(NumberOf(Variant::String("north")));
  EXPECT_FALSE(NumberOf(Variant::Double(std::numeric_limits<double>::quiet_NaN())));
  EXPECT_FALSE(NumberOf(Variant::Double(-std::numeric_limits<double>::infinity())));
}

}  // namespace
}  // namespace quorvane::picture
