// Field values decoded from the bytes a Jet row stores: numbers at the limits
// of their width and sign, Currency at its extremes, floating values and
// dates on both sides of the epoch.
#include "database/jet/jet_field.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

using namespace std::string_view_literals;

struct FieldCase {
  JetType type;
  std::string_view bytes;
  VariantType subtype;
  std::string joined;
};

Variant Decode(JetType type, std::string_view bytes, bool is_null = false) {
  static const JetPages kNoPages({}, 4);
  JetColumn column;
  column.type = type;
  JetFieldBytes field{{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()},
                      is_null};
  return DecodeJetField(kNoPages, column, field, 1252);
}

TEST(JetFieldTest, NumbersKeepTheirSignAndWidth) {
  const FieldCase cases[] = {
      {JetType::kInteger, "\xFF\xFF"sv, VariantType::kInteger, "-1"},
      {JetType::kInteger, "\x00\x80"sv, VariantType::kInteger, "-32768"},
      {JetType::kInteger, "\xFF\x7F"sv, VariantType::kInteger, "32767"},
      {JetType::kInteger, "\x00\x01"sv, VariantType::kInteger, "256"},
      {JetType::kLong, "\x00\x00\x00\x80"sv, VariantType::kLong, "-2147483648"},
      {JetType::kLong, "\xFF\xFF\xFF\x7F"sv, VariantType::kLong, "2147483647"},
      {JetType::kLong, "\xFF\xFF\xFF\xFF"sv, VariantType::kLong, "-1"},
      {JetType::kComplex, "\x00\x00\x01\x00"sv, VariantType::kLong, "65536"},
      {JetType::kByte, "\xFF"sv, VariantType::kByte, "255"},
      {JetType::kByte, "\x80"sv, VariantType::kByte, "128"},
      {JetType::kCurrency, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"sv, VariantType::kCurrency,
       "922337203685477.5807"},
      {JetType::kCurrency, "\x00\x00\x00\x00\x00\x00\x00\x80"sv, VariantType::kCurrency,
       "-922337203685477.5808"},
      {JetType::kCurrency, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"sv, VariantType::kCurrency, "-0.0001"},
      {JetType::kCurrency, "\x10\x27\x00\x00\x00\x00\x00\x00"sv, VariantType::kCurrency, "1"},
      {JetType::kSingle, "\xCD\xCC\xCC\x3D"sv, VariantType::kSingle, "0.1"},
      {JetType::kSingle, "\x00\x00\xB4\xC2"sv, VariantType::kSingle, "-90"},
      {JetType::kSingle, "\x01\x00\x80\x4B"sv, VariantType::kSingle, "16777220"},
      {JetType::kDouble, "\x9A\x99\x99\x99\x99\x99\xB9\x3F"sv, VariantType::kDouble, "0.1"},
      {JetType::kDouble, "\x00\x00\x00\x00\x00\x00\xE0\xBF"sv, VariantType::kDouble, "-0.5"},
      {JetType::kDouble, "\x00\x00\x00\x00\x00\x00\x00\x00"sv, VariantType::kDouble, "0"},
      {JetType::kDateTime, "\x00\x00\x00\x00\x00\x00\x00\x00"sv, VariantType::kDate, "1899-12-30"},
      {JetType::kDateTime, "\x00\x00\x00\x00\x00\x00\x04\x40"sv, VariantType::kDate,
       "1900-01-01 12:00:00"},
      // Before the epoch the days count back while the time of day runs forward.
      {JetType::kDateTime, "\x00\x00\x00\x00\x00\x00\xF4\xBF"sv, VariantType::kDate,
       "1899-12-29 06:00:00"},
      {JetType::kDateTime, "\x00\x00\x00\x00\xB0\xD5\xF1\x40"sv, VariantType::kDate, "2100-01-01"},
  };
  for (const FieldCase& c : cases) {
    Variant value = Decode(c.type, c.bytes);
    EXPECT_EQ(value.type(), c.subtype) << c.joined;
    EXPECT_EQ(JoinedForm(value), c.joined);
  }
}

TEST(JetFieldTest, NullsYesNoAndDamagedValues) {
  EXPECT_TRUE(Decode(JetType::kInteger, "\x01\x00"sv, true).IsNull());
  EXPECT_TRUE(Decode(JetType::kCurrency, ""sv, true).IsNull());
  // A Yes/No value is its null bit: set is Yes, clear is No.
  EXPECT_EQ(JoinedForm(Decode(JetType::kYesNo, ""sv, false)), "True");
  EXPECT_EQ(JoinedForm(Decode(JetType::kYesNo, ""sv, true)), "False");
  for (auto [type, bytes] :
       {std::pair{JetType::kInteger, "\x01"sv}, std::pair{JetType::kLong, "\x01\x02\x03"sv},
        std::pair{JetType::kCurrency, "\x01\x02\x03\x04"sv},
        std::pair{JetType::kDouble, "\x01\x02\x03\x04"sv}}) {
    EXPECT_THROW(Decode(type, bytes), RuntimeError) << static_cast<int>(type);
  }
}

}  // namespace
}  // namespace quorvane::db
