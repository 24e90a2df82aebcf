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
  int type;  // libmdb's column type
  std::string_view bytes;
  VariantType subtype;
  std::string joined;
};

Variant Decode(int type, std::string_view bytes, bool is_null = false) {
  static const std::vector<char> kNoFile;
  static const JetPages kNoPages(kNoFile, 4);
  MdbColumn column{};
  column.col_type = type;
  JetFieldBytes field{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), is_null};
  return DecodeJetField(nullptr, kNoPages, column, field);
}

TEST(JetFieldTest, NumbersKeepTheirSignAndWidth) {
  const FieldCase cases[] = {
      {MDB_INT, "\xFF\xFF"sv, VariantType::kInteger, "-1"},
      {MDB_INT, "\x00\x80"sv, VariantType::kInteger, "-32768"},
      {MDB_INT, "\xFF\x7F"sv, VariantType::kInteger, "32767"},
      {MDB_INT, "\x00\x01"sv, VariantType::kInteger, "256"},
      {MDB_LONGINT, "\x00\x00\x00\x80"sv, VariantType::kLong, "-2147483648"},
      {MDB_LONGINT, "\xFF\xFF\xFF\x7F"sv, VariantType::kLong, "2147483647"},
      {MDB_LONGINT, "\xFF\xFF\xFF\xFF"sv, VariantType::kLong, "-1"},
      {MDB_COMPLEX, "\x00\x00\x01\x00"sv, VariantType::kLong, "65536"},
      {MDB_BYTE, "\xFF"sv, VariantType::kByte, "255"},
      {MDB_BYTE, "\x80"sv, VariantType::kByte, "128"},
      {MDB_MONEY, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"sv, VariantType::kCurrency,
       "922337203685477.5807"},
      {MDB_MONEY, "\x00\x00\x00\x00\x00\x00\x00\x80"sv, VariantType::kCurrency,
       "-922337203685477.5808"},
      {MDB_MONEY, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"sv, VariantType::kCurrency, "-0.0001"},
      {MDB_MONEY, "\x10\x27\x00\x00\x00\x00\x00\x00"sv, VariantType::kCurrency, "1"},
      {MDB_FLOAT, "\xCD\xCC\xCC\x3D"sv, VariantType::kSingle, "0.1"},
      {MDB_FLOAT, "\x00\x00\xB4\xC2"sv, VariantType::kSingle, "-90"},
      {MDB_FLOAT, "\x01\x00\x80\x4B"sv, VariantType::kSingle, "16777220"},
      {MDB_DOUBLE, "\x9A\x99\x99\x99\x99\x99\xB9\x3F"sv, VariantType::kDouble, "0.1"},
      {MDB_DOUBLE, "\x00\x00\x00\x00\x00\x00\xE0\xBF"sv, VariantType::kDouble, "-0.5"},
      {MDB_DOUBLE, "\x00\x00\x00\x00\x00\x00\x00\x00"sv, VariantType::kDouble, "0"},
      {MDB_DATETIME, "\x00\x00\x00\x00\x00\x00\x00\x00"sv, VariantType::kDate, "1899-12-30"},
      {MDB_DATETIME, "\x00\x00\x00\x00\x00\x00\x04\x40"sv, VariantType::kDate,
       "1900-01-01 12:00:00"},
      // Before the epoch the days count back while the time of day runs forward.
      {MDB_DATETIME, "\x00\x00\x00\x00\x00\x00\xF4\xBF"sv, VariantType::kDate,
       "1899-12-29 06:00:00"},
      {MDB_DATETIME, "\x00\x00\x00\x00\xB0\xD5\xF1\x40"sv, VariantType::kDate, "2100-01-01"},
  };
  for (const FieldCase& c : cases) {
    Variant value = Decode(c.type, c.bytes);
    EXPECT_EQ(value.type(), c.subtype) << c.joined;
    EXPECT_EQ(JoinedForm(value), c.joined);
  }
}

TEST(JetFieldTest, NullsYesNoAndDamagedValues) {
  EXPECT_TRUE(Decode(MDB_INT, "\x01\x00"sv, true).IsNull());
  EXPECT_TRUE(Decode(MDB_MONEY, ""sv, true).IsNull());
  // A Yes/No value is its null bit: set is Yes, clear is No.
  EXPECT_EQ(JoinedForm(Decode(MDB_BOOL, ""sv, false)), "True");
  EXPECT_EQ(JoinedForm(Decode(MDB_BOOL, ""sv, true)), "False");
  for (auto [type, bytes] :
       {std::pair{MDB_INT, "\x01"sv}, std::pair{MDB_LONGINT, "\x01\x02\x03"sv},
        std::pair{MDB_MONEY, "\x01\x02\x03\x04"sv}, std::pair{MDB_DOUBLE, "\x01\x02\x03\x04"sv}}) {
    EXPECT_THROW(Decode(type, bytes), RuntimeError) << type;
  }
}

}  // namespace
}  // namespace quorvane::db
