#include "platform/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

#include "platform/number_text.h"
#include "platform/runtime_error.h"

namespace quorvane {
namespace {

constexpr int32_t kLongMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kLongMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kCurrencyMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kCurrencyMax = std::numeric_limits<int64_t>::max();

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
        FormCase{Variant::Integer(32767), " 32767 ", "32767"},
        FormCase{Variant::Integer(-32768), "-32768 ", "-32768"},
        FormCase{Variant::Long(kLongMax), " 2147483647 ", "2147483647"},
        FormCase{Variant::Long(kLongMin), "-2147483648 ", "-2147483648"},
        FormCase{Variant::Byte(255), " 255 ", "255"}, FormCase{Variant::Byte(0), " 0 ", "0"},
        FormCase{Variant::Double(-2.5), "-2.5 ", "-2.5"},
        FormCase{Variant::Double(0.5), " .5 ", "0.5"},
        FormCase{Variant::Double(-0.5), "-.5 ", "-0.5"},
        FormCase{Variant::Double(-0.0), " 0 ", "0"}, FormCase{Variant::Single(0.1f), " .1 ", "0.1"},
        FormCase{Variant::Single(0.3f), " .3 ", "0.3"},
        FormCase{Variant::Double(double{0.3f}), " .300000011920929 ", "0.300000011920929"},
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
        FormCase{Variant::CurrencyScaled(-5000), "-.5 ", "-0.5"},
        FormCase{Variant::CurrencyScaled(kCurrencyMax), " 922337203685477.5807 ",
                 "922337203685477.5807"},
        FormCase{Variant::CurrencyScaled(kCurrencyMin), "-922337203685477.5808 ",
                 "-922337203685477.5808"},
        FormCase{Variant::Decimal("0012.500"), " 12.5 ", "12.5"},
        FormCase{Variant::Decimal("-0.50"), "-.5 ", "-0.5"},
        FormCase{Variant::Decimal("-0"), " 0 ", "0"},
        FormCase{Variant::Boolean(true), "True", "True"},
        FormCase{Variant::Boolean(false), "False", "False"}, FormCase{Variant::Null(), "Null", ""},
        FormCase{Variant(), "", ""}, FormCase{Variant::String(" a b "), " a b ", " a b "},
        FormCase{Variant::String("-5"), "-5", "-5"},
        FormCase{Variant::Date(0.5240277777777778), "12:34:36", "12:34:36"},
        FormCase{Variant::Date(73051), "2100-01-01", "2100-01-01"}));

// The outcome of a conversion: the number, or the first words of the error.
std::string Outcome(const std::function<int64_t()>& convert) {
  try {
    return std::to_string(convert());
  } catch (const RuntimeError& error) {
    std::string reason = error.what();
    return reason.substr(0, std::min(reason.find(':'), reason.find(" (")));
  }
}

struct ConversionCase {
  Variant value;
  std::string integer;  // ToInteger: the number or the error
  std::string whole;    // ToLong
};

// 16-bit and 32-bit conversions of the runtime: limits and one past them,
// ties rounded to the even neighbour, texts read with blanks around them and
// &H / &O literals, whose sign comes from their width (up to four hexadecimal
// digits a 16-bit value, up to eight a 32-bit one).
TEST(VariantTest, WholeNumberConversionsAtTheirLimits) {
  const std::string overflow = "Overflow";
  const ConversionCase cases[] = {
      {Variant::Integer(32767), "32767", "32767"},
      {Variant::Integer(-32768), "-32768", "-32768"},
      {Variant::Long(32768), overflow, "32768"},
      {Variant::Long(-32769), overflow, "-32769"},
      {Variant::Long(kLongMax), overflow, "2147483647"},
      {Variant::Long(kLongMin), overflow, "-2147483648"},
      {Variant::Double(2147483648.0), overflow, overflow},
      {Variant::Double(-2147483649.0), overflow, overflow},
      {Variant::Double(2147483647.5), overflow, overflow},
      {Variant::Double(-2147483648.5), overflow, "-2147483648"},
      {Variant::Double(32767.5), overflow, "32768"},
      {Variant::Double(32766.5), "32766", "32766"},
      {Variant::Double(-32768.5), "-32768", "-32768"},
      {Variant::Double(-32767.5), "-32768", "-32768"},
      {Variant::Double(0.5), "0", "0"},
      {Variant::Double(1.5), "2", "2"},
      {Variant::Double(2.5), "2", "2"},
      {Variant::Double(-0.5), "0", "0"},
      {Variant::Double(-1.5), "-2", "-2"},
      {Variant::Double(2.5000001), "3", "3"},
      {Variant::Single(3.5f), "4", "4"},
      {Variant::CurrencyScaled(25000), "2", "2"},
      {Variant::CurrencyScaled(327675000), overflow, "32768"},
      {Variant::Decimal("-32768.5"), "-32768", "-32768"},
      {Variant::Byte(255), "255", "255"},
      {Variant::Boolean(true), "-1", "-1"},
      {Variant::Boolean(false), "0", "0"},
      {Variant(), "0", "0"},
      {Variant::Null(), "Invalid use of Null", "Invalid use of Null"},
      {Variant::String(""), "Type mismatch", "Type mismatch"},
      {Variant::String("  "), "Type mismatch", "Type mismatch"},
      {Variant::String("12x"), "Type mismatch", "Type mismatch"},
      {Variant::String("&H"), "Type mismatch", "Type mismatch"},
      {Variant::String("&O8"), "Type mismatch", "Type mismatch"},
      {Variant::String(" 32767 "), "32767", "32767"},
      {Variant::String("\t-32768\t"), "-32768", "-32768"},
      {Variant::String("32768"), overflow, "32768"},
      {Variant::String("2.5"), "2", "2"},
      {Variant::String("3.5"), "4", "4"},
      {Variant::String("+7"), "7", "7"},
      {Variant::String("1e3"), "1000", "1000"},
      {Variant::String("1D2"), "100", "100"},
      {Variant::String("&H7FFF"), "32767", "32767"},
      {Variant::String("&H8000"), "-32768", "-32768"},
      {Variant::String("&hffff"), "-1", "-1"},
      {Variant::String("&H10000"), overflow, "65536"},
      {Variant::String("&H7FFFFFFF"), overflow, "2147483647"},
      {Variant::String("&H80000000"), overflow, "-2147483648"},
      {Variant::String("&HFFFFFFFF"), "-1", "-1"},
      {Variant::String("&O77777"), "32767", "32767"},
      {Variant::String("&O100000"), "-32768", "-32768"},
      {Variant::String("&o177777"), "-1", "-1"},
      {Variant::String("&O200000"), overflow, "65536"},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(PrintedForm(c.value));
    EXPECT_EQ(Outcome([&] { return c.value.ToInteger(); }), c.integer);
    EXPECT_EQ(Outcome([&] { return c.value.ToLong(); }), c.whole);
  }
  EXPECT_THROW(Variant::Null().ToText(), RuntimeError);
}

// Counters and computed values of 16 and 32 bits.
TEST(VariantTest, CheckedArithmeticStopsOnePastTheLimit) {
  const struct {
    int64_t value;
    std::string integer, whole;
  } cases[] = {{32767, "32767", "32767"},
               {-32768, "-32768", "-32768"},
               {32768, "Overflow", "32768"},
               {-32769, "Overflow", "-32769"},
               {int64_t{kLongMax} + 1, "Overflow", "Overflow"},
               {int64_t{kLongMin} - 1, "Overflow", "Overflow"},
               {kLongMin, "Overflow", "-2147483648"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Outcome([&] { return CheckedInteger(c.value); }), c.integer) << c.value;
    EXPECT_EQ(Outcome([&] { return CheckedLong(c.value); }), c.whole) << c.value;
  }
}

// An overflow names the number and the type it did not fit.
TEST(VariantTest, OverflowNamesTheNumberAndTheType) {
  auto reason = [](const std::function<int64_t()>& convert) {
    try {
      convert();
    } catch (const RuntimeError& error) {
      return std::string(error.what());
    }
    return std::string("(no error)");
  };
  EXPECT_EQ(reason([] { return Variant::String("40000").ToInteger(); }),
            "Overflow (40000 does not fit an Integer)");
  EXPECT_EQ(reason([] { return Variant::Double(3e9).ToLong(); }),
            "Overflow (3000000000 does not fit a Long)");
  EXPECT_EQ(reason([] { return CheckedInteger(-32769); }),
            "Overflow (-32769 does not fit an Integer)");
}

TEST(VariantTest, ComparisonsOfTheCompiler) {
  EXPECT_TRUE(EqualsText(Variant::String("aTrain"), "aTrain"));
  EXPECT_FALSE(EqualsText(Variant::String("ATRAIN"), "aTrain"));
  EXPECT_FALSE(EqualsText(Variant::Null(), ""));
  EXPECT_FALSE(EqualsText(Variant::Long(3), "After Last Action"));
  EXPECT_TRUE(EqualsText(Variant::Long(3), "3"));
  EXPECT_TRUE(EqualsNumber(Variant::String(" 2 "), 2));
  EXPECT_TRUE(EqualsNumber(Variant::String("&HFFFF"), -1));
  EXPECT_THROW(EqualsNumber(Variant::String("Yes"), 0), RuntimeError);
  EXPECT_FALSE(EqualsNumber(Variant::Null(), 0));
  EXPECT_EQ(CompareWithNumber(Variant::Integer(-32768), -32767), -1);
  EXPECT_EQ(CompareWithNumber(Variant::Byte(255), 255), 0);
  EXPECT_TRUE(Variant::Boolean(true).IsTrue());
  EXPECT_TRUE(Variant::Integer(-1).IsTrue());
  EXPECT_FALSE(Variant::Long(1).IsTrue());
  EXPECT_FALSE(Variant::Byte(255).IsTrue());
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

// The leading number of a text: blanks anywhere are skipped, reading stops at
// the first other character, a text without a number reads as 0.
TEST(LeadingNumberTest, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1 2x", 12},
               {"  -5 Gate", -5},
               {"03", 3},
               {"2.5", 2.5},
               {"abc", 0},
               {"", 0},
               {"&H1F", 31},
               {"&O17", 15},
               {"1E3x", 1000},
               {"2D2", 200},
               {"1e", 1},
               {".5", 0.5},
               {"+7", 7},
               {"\t\n4", 4},
               {"3rd Lance", 3},
               {"0 Alpha", 0},
               {"&HFFFF", -1},
               {"1.2.3", 1.2},
               {"&H7FFF Gate", 32767},
               {"&H8000 Gate", -32768},
               {"&H10000", 65536},
               {"&O100000", -32768},
               {"&O78", 7},
               {"&H", 0},
               {"-&H10", 0},
               {"0.0001 x", 0.0001},
               {"&H80000000", -2147483648.0}};
  for (const Case& c : cases) EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace quorvane
