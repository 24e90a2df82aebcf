// A SQLite twin's columns keep the kinds their declared types give, whatever
// storage class SQLite holds a value in: `dump` shows each value as its
// column reads it, and a compiled mission writes a number stored in a text
// column as that text.

#include <gtest/gtest.h>

#include <string>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

using testing::RunQuorvane;

// A column of every kind of declared type (and one without a type), and a
// row of each storage class: an integer, a real beyond every whole-number
// type, a text, a blob, NULL.
constexpr const char* kKindsTable = R"(
CREATE TABLE Kinds (Seq INTEGER, Flag YESNO, Small BYTE, Short SMALLINT, Whole INTEGER,
  Single REAL, Real FLOAT, Money CURRENCY, Exact DECIMAL, Day DATETIME, Line TEXT(20),
  Note MEMO, Id GUID, Raw BINARY, Free);
INSERT INTO Kinds VALUES (1, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12);
INSERT INTO Kinds VALUES (2, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20,
  1e20, 1e20, 1e20);
INSERT INTO Kinds VALUES (3, 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x');
INSERT INTO Kinds VALUES (4, x'4142', x'4142', x'4142', x'4142', x'4142', x'4142', x'4142',
  x'4142', x'4142', x'4142', x'4142', x'4142', x'4142', x'4142');
INSERT INTO Kinds VALUES (5, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
  NULL, NULL);
)";

// Yes/No reads any number as True; a whole-number type holds 12 but not
// 1e20, which reads as the Double it is; Currency shows its four decimals;
// a date column reads 12 as the date twelve days after its epoch. Text,
// Memo and Guid columns read every value as text (1e20 as SQLite's text of
// it); a blob reads as its bytes; a column without a type reads what it is.
TEST(TypedTwinTest, DumpShowsEveryStorageClassAsItsColumnReadsIt) {
  std::string database =
      testing::SqliteDatabase(testing::TempDir() + "/kinds.sqlite", kKindsTable, "the kinds table");
  auto result = RunQuorvane("dump " + database + " Kinds");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(
      result.output,
      "## Kinds\tSeq\tFlag\tSmall\tShort\tWhole\tSingle\tReal\tMoney\tExact\tDay\tLine\tNote"
      "\tId\tRaw\tFree\n"
      "#types\tLong\tYesNo\tByte\tInteger\tLong\tSingle\tDouble\tCurrency\tDecimal\tDateTime"
      "\tText\tMemo\tGUID\tBinary\tUntyped\n"
      "1\t1\t12\t12\t12\t12\t12\t12.0000\t12\t1900-01-11 00:00:00\t12\t12\t12\t12\t12\n"
      "2\t1\t1e+20\t1e+20\t1e+20\t1e+20\t1e+20\t1e+20\t1e+20\t1e+20\t1.0e+20\t1.0e+20\t1.0e+20"
      "\t1e+20\t1e+20\n"
      "3\tx\tx\tx\tx\tx\tx\tx\tx\tx\tx\tx\tx\tx\tx\n"
      "4\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\tAB\n"
      "5\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\n");
}

// The mission name of mission 7 declared with a text type and holding a
// value of another storage class: the headers of the FIT file and of the
// brain module show it as text.
TEST(TypedTwinTest, CompiledMissionWritesANumberInATextColumnAsText) {
  const struct {
    const char* declared;
    const char* stored;
    const char* name;
  } kCases[] = {
      {"TEXT(255)", "1e20", "1.0e+20"}, {"MEMO", "1e20", "1.0e+20"},
      {"LONGTEXT", "1e20", "1.0e+20"},  {"MEMO", "120", "120"},
      {"GUID", "1e20", "1.0e+20"},      {"MEMO", "x'4142'", "AB"},
  };
  for (const auto& c : kCases) {
    std::string database = testing::SqliteFixtureWith(
        "campaign", std::string("ALTER TABLE NewMissions DROP COLUMN MissionName;"
                                "ALTER TABLE NewMissions ADD COLUMN MissionName ") +
                        c.declared + "; UPDATE NewMissions SET MissionName = " + c.stored +
                        " WHERE MissionID = 7");
    std::string folder = testing::TempDir();
    auto result = RunQuorvane("build " + database + " 7 --date 2026-01-01 -o " + folder);
    const std::string where = std::string(c.declared) + " holding " + c.stored;
    EXPECT_EQ(result.status, 0) << where << "\n" << result.output;
    EXPECT_NE(testing::ReadFile(folder + "/m0007.FIT")
                  .find("//      Mission Name: " + std::string(c.name) + "  Creation Date:"),
              std::string::npos)
        << where;
    EXPECT_NE(testing::ReadFile(folder + "/m0007.ABL")
                  .find("// Mission Name: " + std::string(c.name) + "\r\n"),
              std::string::npos)
        << where;
  }
}

}  // namespace
}  // namespace quorvane
