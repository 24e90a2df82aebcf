// Values of a SQLite twin read by their declared Access type: a value whose
// storage class fits the type takes the type's subtype; any other is read as
// what it is (integer as Long, real as Double, text and blobs as String). A
// number in a date column is the date's serial when it is one of the years
// 100 to 9999.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/database.h"
#include "database/sqlite/sqlite_handle.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

using quorvane::testing::SqliteDatabase;
using quorvane::testing::TempDir;

// The declared type names of one Access type.
struct TypeNames {
  const char* type;
  std::vector<const char*> names;
};

const std::vector<TypeNames> kTypes = {
    {"YesNo", {"YESNO", "BIT", "BOOLEAN", "LOGICAL"}},
    {"Byte", {"BYTE", "TINYINT"}},
    {"Integer", {"SMALLINT", "SHORT", "INTEGER2"}},
    {"Long", {"INTEGER", "INT", "LONG", "INTEGER4", "COUNTER", "AUTOINCREMENT"}},
    {"Single", {"REAL", "SINGLE", "FLOAT4"}},
    {"Double", {"FLOAT", "DOUBLE", "FLOAT8", "NUMBER"}},
    {"Currency", {"CURRENCY", "MONEY"}},
    {"Decimal", {"DECIMAL", "NUMERIC"}},
    {"DateTime", {"DATETIME", "DATE", "TIME"}},
};

// One stored value: its SQL literal, the storage class SQLite keeps it in,
// and what it reads as in a column of each Access type (the subtype, then the
// joined form; a Date gives its serial number).
struct StoredValue {
  const char* literal;
  const char* storage;
  std::vector<std::pair<VariantType, std::string>> by_type;  // in the order of kTypes
};

constexpr VariantType kBool = VariantType::kBoolean;
constexpr VariantType kByte = VariantType::kByte;
constexpr VariantType kInt = VariantType::kInteger;
constexpr VariantType kLong = VariantType::kLong;
constexpr VariantType kSingle = VariantType::kSingle;
constexpr VariantType kDouble = VariantType::kDouble;
constexpr VariantType kCur = VariantType::kCurrency;
constexpr VariantType kDec = VariantType::kDecimal;
constexpr VariantType kDate = VariantType::kDate;
constexpr VariantType kText = VariantType::kString;
constexpr VariantType kNull = VariantType::kNull;

// 1e39, beyond a Single's range, in the joined form.
const std::string kTenTo39 = "1" + std::string(39, '0');

//                      YesNo          Byte            Integer         Long            Single Double
//                      Currency         Decimal          DateTime
const std::vector<StoredValue> kValues = {
    {"1",
     "integer",
     {{kBool, "True"},
      {kByte, "1"},
      {kInt, "1"},
      {kLong, "1"},
      {kSingle, "1"},
      {kDouble, "1"},
      {kCur, "1"},
      {kDec, "1"},
      {kDate, "1"}}},
    {"0",
     "integer",
     {{kBool, "False"},
      {kByte, "0"},
      {kInt, "0"},
      {kLong, "0"},
      {kSingle, "0"},
      {kDouble, "0"},
      {kCur, "0"},
      {kDec, "0"},
      {kDate, "0"}}},
    {"70000",
     "integer",
     {{kBool, "True"},
      {kLong, "70000"},
      {kLong, "70000"},
      {kLong, "70000"},
      {kSingle, "70000"},
      {kDouble, "70000"},
      {kCur, "70000"},
      {kDec, "70000"},
      {kDate, "70000"}}},
    {"3000000000",
     "integer",
     {{kBool, "True"},
      {kDouble, "3000000000"},
      {kDouble, "3000000000"},
      {kDouble, "3000000000"},
      {kSingle, "3000000000"},
      {kDouble, "3000000000"},
      {kCur, "3000000000"},
      {kDec, "3000000000"},
      {kDouble, "3000000000"}}},
    {"2.5",
     "real",
     {{kBool, "True"},
      {kDouble, "2.5"},
      {kDouble, "2.5"},
      {kDouble, "2.5"},
      {kSingle, "2.5"},
      {kDouble, "2.5"},
      {kCur, "2.5"},
      {kDec, "2.5"},
      {kDate, "2.5"}}},
    {"1e39",
     "real",
     {{kBool, "True"},
      {kDouble, kTenTo39},
      {kDouble, kTenTo39},
      {kDouble, kTenTo39},
      {kDouble, kTenTo39},
      {kDouble, kTenTo39},
      {kDouble, kTenTo39},
      {kDec, "1e+39"},
      {kDouble, kTenTo39}}},
    {"'1 OR 1=1'",
     "text",
     {{kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"},
      {kText, "1 OR 1=1"}}},
    {"'garbage'",
     "text",
     {{kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"},
      {kText, "garbage"}}},
    {"'2001-09-11 13:45:30'",
     "text",
     {{kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kText, "2001-09-11 13:45:30"},
      {kDate, "37145.5732638889"}}},
    {"x'4142'",
     "blob",
     {{kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"},
      {kText, "AB"}}},
    {"NULL",
     "null",
     {{kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""},
      {kNull, ""}}},
};

// A table per declared name, "T_" and the name, with one row per stored
// value (Seq is its index).
std::string TypesDatabase() {
  std::string sql = "BEGIN;\n";
  for (const TypeNames& type : kTypes) {
    for (const char* name : type.names) {
      // Quoted, since AUTOINCREMENT is also a keyword.
      sql += "CREATE TABLE \"T_" + std::string(name) + "\" (Seq INTEGER, Val \"" + name + "\");\n";
      for (size_t i = 0; i < kValues.size(); ++i) {
        sql += "INSERT INTO \"T_" + std::string(name) + "\" VALUES (" + std::to_string(i) + ", " +
               kValues[i].literal + ");\n";
      }
    }
  }
  return SqliteDatabase(TempDir() + "/types.sqlite", sql + "COMMIT;\n");
}

std::string ReadBack(const Variant& value) {
  if (value.type() == VariantType::kDate) return JoinedForm(Variant::Double(value.real_value()));
  return JoinedForm(value);
}

TEST(SqliteValueTest, EveryDeclaredTypeReadsEveryStorageClass) {
  auto database = OpenDatabase(TypesDatabase());
  for (size_t t = 0; t < kTypes.size(); ++t) {
    for (const char* name : kTypes[t].names) {
      auto rows = database->OpenRecordset(std::string("T_") + name);
      for (const StoredValue& stored : kValues) {
        std::string where = std::string(kTypes[t].type) + " column " + name + ", " +
                            stored.literal + " stored as " + stored.storage;
        const Variant& value = rows->Field("Val");
        EXPECT_EQ(value.type(), stored.by_type[t].first) << where;
        EXPECT_EQ(ReadBack(value), stored.by_type[t].second) << where;
        rows->MoveNext();
      }
    }
  }
}

// A column of a text type reads every stored value as text: a number kept
// as a number (MEMO and GUID columns have numeric affinity, so SQLite keeps
// numbers and number-like texts as numbers there) reads as SQLite's text of
// it, a blob as its bytes, NULL as Null.
TEST(SqliteValueTest, TextColumnsReadEveryStorageClassAsText) {
  struct TextType {
    const char* declared;
    bool numeric_affinity;
  };
  const TextType kTextTypes[] = {{"TEXT", false},     {"TEXT(255)", false}, {"VARCHAR(20)", false},
                                 {"CHAR(10)", false}, {"LONGTEXT", false},  {"MEMO", true},
                                 {"GUID", true}};
  struct TextValue {
    const char* literal;
    const char* text;     // nullptr: Null
    const char* numeric;  // the text read back from a column of numeric affinity
  };
  const TextValue kTextValues[] = {
      {"12", "12", "12"},       {"-7", "-7", "-7"},
      {"2.5", "2.5", "2.5"},    {"1e20", "1.0e+20", "1.0e+20"},
      {"'0012'", "0012", "12"}, {"'garbage'", "garbage", "garbage"},
      {"x'4142'", "AB", "AB"},  {"NULL", nullptr, nullptr},
  };
  std::string sql = "BEGIN;\n";
  for (size_t t = 0; t < std::size(kTextTypes); ++t) {
    sql += "CREATE TABLE T" + std::to_string(t) + " (Val " + kTextTypes[t].declared + ");\n";
    for (const TextValue& value : kTextValues) {
      sql += "INSERT INTO T" + std::to_string(t) + " VALUES (" + value.literal + ");\n";
    }
  }
  auto database = OpenDatabase(SqliteDatabase(TempDir() + "/texts.sqlite", sql + "COMMIT;\n"));
  for (size_t t = 0; t < std::size(kTextTypes); ++t) {
    auto rows = database->OpenRecordset("T" + std::to_string(t));
    for (const TextValue& value : kTextValues) {
      const std::string where = std::string(kTextTypes[t].declared) + " column, " + value.literal;
      const Variant& read = rows->Field("Val");
      const char* text = kTextTypes[t].numeric_affinity ? value.numeric : value.text;
      if (text == nullptr) {
        EXPECT_TRUE(read.IsNull()) << where;
      } else {
        EXPECT_EQ(read.type(), VariantType::kString) << where;
        EXPECT_EQ(JoinedForm(read), text) << where;
      }
      rows->MoveNext();
    }
  }
}

// SQLite's rule for a column of REAL affinity, which keeps whole numbers as reals.
bool HasRealAffinity(std::string_view name) {
  return name.find("REAL") != name.npos || name.find("FLOA") != name.npos ||
         name.find("DOUB") != name.npos;
}

// The storage classes above are the ones SQLite really keeps (a column of
// REAL affinity turns integers into reals).
TEST(SqliteValueTest, StoredValuesKeepTheirStorageClass) {
  std::string path = TypesDatabase();
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  SqliteDb db(raw);
  for (const TypeNames& type : kTypes) {
    for (const char* name : type.names) {
      auto stmt = Prepare(db.get(), std::string("SELECT Seq, typeof(Val) FROM \"T_") + name + "\"");
      while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
        const StoredValue& stored =
            kValues.at(static_cast<size_t>(sqlite3_column_int(stmt.get(), 0)));
        std::string expected = stored.storage;
        if (expected == "integer" && HasRealAffinity(name)) expected = "real";
        EXPECT_EQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1)), expected)
            << name << " " << stored.literal;
      }
    }
  }
}

}  // namespace
}  // namespace quorvane::db
