#include "fit/fit_values.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace quorvane {
namespace {

struct ArithmeticCase {
  const char* what;
  Variant result;
  VariantType type;
  std::string joined;
};

// Arithmetic on field values never overflows: a 16-bit result past its range
// becomes 32-bit, a 32-bit one a Double; a Single stays a Single.
TEST(FitValuesTest, ArithmeticWidensPastTheLimits) {
  constexpr int32_t kLongMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kLongMin = std::numeric_limits<int32_t>::min();
  const ArithmeticCase cases[] = {
      {"Integer at its top", PlusWhole(Variant::Integer(32766), 1), VariantType::kInteger, "32767"},
      {"Integer one past its top", PlusWhole(Variant::Integer(32767), 1), VariantType::kLong,
       "32768"},
      {"Integer one past its bottom", PlusWhole(Variant::Integer(-32768), -1), VariantType::kLong,
       "-32769"},
      {"Byte past 255", PlusWhole(Variant::Byte(255), 1), VariantType::kInteger, "256"},
      {"Long one past its top", PlusWhole(Variant::Long(kLongMax), 1), VariantType::kDouble,
       "2147483648"},
      {"Long one past its bottom", PlusWhole(Variant::Long(kLongMin), -1), VariantType::kDouble,
       "-2147483649"},
      {"Long stays Long", PlusWhole(Variant::Long(1), 1), VariantType::kLong, "2"},
      {"Integer times a step", TimesWhole(Variant::Integer(600), -71), VariantType::kLong,
       "-42600"},
      {"Integer product in range", TimesWhole(Variant::Integer(-461), 71), VariantType::kInteger,
       "-32731"},
      {"Single product", TimesWhole(Variant::Single(0.1f), 71), VariantType::kSingle, "7.1"},
      {"Double product", TimesWhole(Variant::Double(1.5), -142), VariantType::kDouble, "-213"},
      {"text read as a Double", TimesWhole(Variant::String("2"), 3), VariantType::kDouble, "6"},
      {"Empty counts as 0", PlusWhole(Variant(), 1), VariantType::kInteger, "1"},
      {"Yes counts as -1", PlusWhole(Variant::Boolean(true), 0), VariantType::kInteger, "-1"},
      {"Null stays Null", PlusWhole(Variant::Null(), 1), VariantType::kNull, ""},
      {"absolute Yes", Absolute(Variant::Boolean(true)), VariantType::kInteger, "1"},
      {"absolute No", Absolute(Variant::Boolean(false)), VariantType::kInteger, "0"},
      {"absolute of a negative", Absolute(Variant::Integer(-5)), VariantType::kInteger, "5"},
      {"absolute Null", Absolute(Variant::Null()), VariantType::kNull, ""},
  };
  for (const ArithmeticCase& c : cases) {
    EXPECT_EQ(c.result.type(), c.type) << c.what;
    EXPECT_EQ(JoinedForm(c.result), c.joined) << c.what;
  }
}

TEST(FitValuesTest, TestsTreatNullAsNeitherEqualNorUnequal) {
  EXPECT_FALSE(IsNotZero(Variant::Null()));
  EXPECT_FALSE(IsNotZero(Variant::Double(0.0)));
  EXPECT_FALSE(IsNotZero(Variant::String(" 0 ")));
  EXPECT_TRUE(IsNotZero(Variant::Integer(-1)));
  EXPECT_TRUE(IsNotZero(Variant::Double(0.0001)));
  EXPECT_FALSE(DiffersFromText(Variant::Null(), "aTrain"));
  EXPECT_FALSE(DiffersFromText(Variant::String("aTrain"), "aTrain"));
  EXPECT_TRUE(DiffersFromText(Variant::String("ATRAIN"), "aTrain"));
  EXPECT_TRUE(IsNullOrBlank(Variant::Null()));
  EXPECT_TRUE(IsNullOrBlank(Variant::String("")));
  EXPECT_TRUE(IsNullOrBlank(Variant::String("   ")));
  EXPECT_FALSE(IsNullOrBlank(Variant::String(" x ")));
  EXPECT_FALSE(IsNullOrBlank(Variant::Integer(0)));
}

}  // namespace
}  // namespace quorvane
