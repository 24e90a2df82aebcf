// Text comparison of the database, the dump form of values, and date texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "database/jet/jet_text.h"
#include "database/serial_date.h"
#include "forms/tsv_form.h"

namespace quorvane::db {
namespace {

TEST(CompareTextTest, IgnoresCaseOfEveryLetterAndKeepsAccentsBesideTheirBase) {
  struct Case {
    std::string a, b;
    int expected;
  };
  for (const Case& c : std::vector<Case>{
           {"aTrain", "ATRAIN", 0},
           {"Inner Sphere", "inner sphere", 0},
           {"é", "É", 0},
           {"ŒUVRE", "œuvre", 0},
           {"Ω", "ω", 0},
           {"e", "é", -1},
           {"é", "f", -1},
           {"élan", "Ezra", -1},
           {"Other", "Inner Sphere", 1},
           {"Inner Sphere", "Clan", 1},
           {"Clan", "aTrain", 1},
           {"abc", "abcd", -1},
           {"", "a", -1},
           {"Gate1", "Gate10", -1},
       }) {
    EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CompareText(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
    EXPECT_EQ(FoldCase(c.a) == FoldCase(c.b), c.expected == 0) << c.a << " vs " << c.b;
  }
}

TEST(TsvFormTest, WritesEachSubtypeInTheDumpForm) {
  struct Case {
    Variant value;
    std::string expected;
  };
  for (const Case& c : std::vector<Case>{
           {Variant::Null(), "\\N"},
           {Variant::Boolean(true), "1"},
           {Variant::Boolean(false), "0"},
           {Variant::Integer(-32768), "-32768"},
           {Variant::Double(0.00001), "0.00001"},
           {Variant::Double(0.0000099), "9.9e-06"},
           {Variant::Double(1e15), "1000000000000000"},
           {Variant::Double(1e16), "1e+16"},
           {Variant::Double(-123.456), "-123.456"},
           {Variant::Double(-0.0), "0"},
           {Variant::Single(0.1f), "0.1"},
           {Variant::Single(16777217.0f), "16777216"},
           {Variant::Single(std::numeric_limits<float>::infinity()), "inf"},
           {Variant::CurrencyScaled(-1), "-0.0001"},
           {Variant::CurrencyScaled(std::numeric_limits<int64_t>::min()), "-922337203685477.5808"},
           {Variant::Date(-1.25), "1899-12-29 06:00:00"},
           {Variant::Date(0.999999999), "1899-12-31 00:00:00"},
           {Variant::Date(36800.5), "2000-10-01 12:00:00"},
           {Variant::Date(1e9), "1000000000"},
           {Variant::String("a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re"},
       }) {
    EXPECT_EQ(TsvForm(c.value), c.expected);
  }
}

TEST(SerialDateTest, ReadsTheDateTextsOfSqliteFiles) {
  struct Case {
    std::string text;
    std::optional<double> serial;
  };
  for (const Case& c : std::vector<Case>{
           {"1899-12-30 00:00:00", 0.0},
           {"1899-12-30 12:00:00", 0.5},
           {"12:00:00", 0.5},
           {"1899-12-29 06:00:00", -1.25},
           {"2000-10-01", 36800.0},
           {"2000-10-01T12:00:00", 36800.5},
           {"2000-02-30 00:00:00", std::nullopt},
           {"2000-13-01", std::nullopt},
           {"2000-01-01 24:00:00", std::nullopt},
           {"2000-01-01 12:00", std::nullopt},
           {"1/1/2000", std::nullopt},
           {"", std::nullopt},
       }) {
    EXPECT_EQ(SerialFromDateText(c.text), c.serial) << c.text;
  }
}

}  // namespace
}  // namespace quorvane::db
