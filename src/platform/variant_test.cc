#include "platform/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "platform/number_text.h"
#include "platform/runtime_error.h"

namespace quorvane {
namespace {

struct FormCase {
  Variant value;
  std::string printed;
  std::string joined;
};

class ValueFormTest : public testing::TestWithParam<FormCase> {};

TEST_P(ValueFormTest, PrintedAndJoined) {
  EXPECT_EQ(PrintedForm(GetParam().value), GetParam().printed);
  EXPECT_EQ(JoinedForm(GetParam().value), GetParam().joined);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueFormTest,
    testing::Values(
        FormCase{Variant::Integer(3), " 3 ", "3"}, FormCase{Variant::Long(0), " 0 ", "0"},
        FormCase{Variant::Double(-2.5), "-2.5 ", "-2.5"},
        FormCase{Variant::Double(0.5), " .5 ", "0.5"},
        FormCase{Variant::Double(-0.5), "-.5 ", "-0.5"},
        FormCase{Variant::Single(0.1f), " .1 ", "0.1"},
        FormCase{Variant::Single(250.5f), " 250.5 ", "250.5"},
        FormCase{Variant::Single(-90.0f), "-90 ", "-90"},
        FormCase{Variant::Single(1234.567f), " 1234.567 ", "1234.567"},
        FormCase{Variant::Single(16777216.0f), " 16777220 ", "16777220"},
        FormCase{Variant::Double(0.30000000000000004), " .3 ", "0.3"},
        FormCase{Variant::Double(1e15), " 1000000000000000 ", "1000000000000000"},
        FormCase{Variant::Double(123456789012345.67), " 123456789012346 ", "123456789012346"},
        FormCase{Variant::Double(0.000125), " .000125 ", "0.000125"},
        FormCase{Variant::CurrencyScaled(123456), " 12.3456 ", "12.3456"},
        FormCase{Variant::CurrencyScaled(-1), "-.0001 ", "-0.0001"},
        FormCase{Variant::Decimal("0012.500"), " 12.5 ", "12.5"},
        FormCase{Variant::Boolean(true), "True", "True"},
        FormCase{Variant::Boolean(false), "False", "False"}, FormCase{Variant::Null(), "Null", ""},
        FormCase{Variant(), "", ""}, FormCase{Variant::String(" a b "), " a b ", " a b "},
        FormCase{Variant::Date(0.5240277777777778), "12:34:36", "12:34:36"},
        FormCase{Variant::Date(73051), "2100-01-01", "2100-01-01"}));

TEST(VariantTest, ConversionsFollowTheRuntime) {
  EXPECT_EQ(Variant::Double(2.5).ToInteger(), 2);
  EXPECT_EQ(Variant::Double(3.5).ToInteger(), 4);
  EXPECT_EQ(Variant::String(" &H10 ").ToInteger(), 16);
  EXPECT_EQ(Variant::Boolean(true).ToLong(), -1);
  EXPECT_THROW(Variant::Long(32768).ToInteger(), RuntimeError);
  EXPECT_THROW(Variant::Null().ToInteger(), RuntimeError);
  EXPECT_THROW(Variant::String("").ToInteger(), RuntimeError);
  EXPECT_THROW(Variant::String("12x").ToDouble(), RuntimeError);
  EXPECT_THROW(Variant::Null().ToText(), RuntimeError);
  EXPECT_THROW(CheckedInteger(32768), RuntimeError);
  EXPECT_EQ(CheckedInteger(-32768), -32768);
  EXPECT_THROW(CheckedLong(2147483648LL), RuntimeError);
}

TEST(VariantTest, ComparisonsOfTheCompiler) {
  EXPECT_TRUE(EqualsText(Variant::String("aTrain"), "aTrain"));
  EXPECT_FALSE(EqualsText(Variant::String("ATRAIN"), "aTrain"));
  EXPECT_FALSE(EqualsText(Variant::Null(), ""));
  EXPECT_FALSE(EqualsText(Variant::Long(3), "After Last Action"));
  EXPECT_TRUE(EqualsText(Variant::Long(3), "3"));
  EXPECT_TRUE(EqualsNumber(Variant::String(" 2 "), 2));
  EXPECT_THROW(EqualsNumber(Variant::String("Yes"), 0), RuntimeError);
  EXPECT_FALSE(EqualsNumber(Variant::Null(), 0));
  EXPECT_TRUE(Variant::Boolean(true).IsTrue());
  EXPECT_FALSE(Variant::Long(1).IsTrue());
  EXPECT_FALSE(Variant::Null().IsTrue());
}

// Copies of a text value outlive the value they were copied from; a moved-from
// value is Empty; assignment replaces subtype and payload.
TEST(VariantTest, CopiesAndMovesKeepTheirValues) {
  std::vector<Variant> copies;
  {
    Variant text = Variant::String(std::string(40, 'x') + "é");
    for (int i = 0; i < 3; ++i) copies.push_back(text);
    Variant moved = std::move(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(moved.text_value(), copies[0].text_value());
  }
  EXPECT_EQ(copies[2].text_value(), std::string(40, 'x') + "é");
  copies[0] = Variant::Long(7);
  EXPECT_EQ(copies[0].integer_value(), 7);
  copies[1] = copies[1];
  copies[2] = Variant::Decimal("-012.50");
  EXPECT_EQ(JoinedForm(copies[2]), "-12.5");
  EXPECT_EQ(copies[1].text_value().size(), 42u);
  EXPECT_THROW(copies[0].text_value(), std::bad_variant_access);
  EXPECT_EQ(sizeof(Variant), 16u);
}

TEST(LeadingNumberTest, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1 2x", 12},   {"  -5 Gate", -5}, {"03", 3},     {"2.5", 2.5},   {"abc", 0},
               {"", 0},        {"&H1F", 31},      {"&O17", 15},  {"1E3x", 1000}, {"2D2", 200},
               {"1e", 1},      {".5", 0.5},       {"+7", 7},     {"\t\n4", 4},   {"3rd Lance", 3},
               {"0 Alpha", 0}, {"&HFFFF", -1},    {"1.2.3", 1.2}};
  for (const Case& c : cases) EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quorvane
