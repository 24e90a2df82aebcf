#include "forms/sql_twin.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "forms/tsv_form.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

// Builds a SQLite database from SQL and returns the SQL text of its twin.
std::string TwinText(const std::string& sql, std::string& source) {
  source = quorvane::testing::TempDir() + "/source.sqlite";
  CreateSqliteDatabase(source, sql);
  std::ostringstream text;
  WriteSqlTwin(*OpenDatabase(source), text);
  return text.str();
}

std::string Dump(const std::string& path, const std::string& table) {
  std::ostringstream out;
  WriteTableTsv(*OpenDatabase(path), table, out);
  return out.str();
}

// Each value comes back with its kind; texts stay on one line of the SQL
// text, their control characters turned back by replace(); a text that
// holds the stand-ins itself is written as its bytes.
TEST(SqlTwinTest, ValuesComeBackAsTheyWere) {
  std::string source;
  std::string text = TwinText(
      "CREATE TABLE \"Odd \"\"Name\"\"\" (Flag YESNO, Small SMALLINT, Whole INTEGER, Single REAL, "
      "Real FLOAT, Money CURRENCY, Day DATETIME, Words TEXT(50), Long MEMO, Loose);"
      "INSERT INTO \"Odd \"\"Name\"\"\" VALUES (-1, -32768, 2147483647, 0.1, 0.30000000000000004, "
      "12.3456, '2001-09-11 13:45:30', 'O''Brien', 'a' || char(13) || char(10) || 'b' || char(9), "
      "7);"
      "INSERT INTO \"Odd \"\"Name\"\"\" VALUES (0, NULL, NULL, 16777216, -1e-300, -0.0001, "
      "44000.25, '', 'x␍' || char(13), 'text');",
      source);
  EXPECT_NE(text.find("CREATE TABLE \"Odd \"\"Name\"\"\" (\n  \"Flag\" YESNO,\n  \"Small\" "
                      "SMALLINT,\n  \"Whole\" INTEGER,\n  \"Single\" REAL,\n  \"Real\" FLOAT,\n  "
                      "\"Money\" CURRENCY,\n  \"Day\" DATETIME,\n  \"Words\" TEXT,\n  \"Long\" "
                      "LONGTEXT,\n  \"Loose\"\n);\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("VALUES (-1, -32768, 2147483647, 0.1, 0.30000000000000004, 12.3456, "
                      "'2001-09-11 13:45:30', 'O''Brien', replace(replace(replace('a␍␊b␉', '␍', "
                      "char(13)), '␊', char(10)), '␉', char(9)), 7);\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("VALUES (0, NULL, NULL, 16777216.0, -1e-300, -0.0001, "
                      "'2020-06-18 06:00:00', '', CAST(X'78E2908D0D' AS TEXT), 'text');\n"),
            std::string::npos)
      << text;
  std::string twin = quorvane::testing::TempDir() + "/twin.sqlite";
  CreateSqliteDatabase(twin, text);
  EXPECT_EQ(Dump(twin, "Odd \"Name\""), Dump(source, "Odd \"Name\""));
}

}  // namespace
}  // namespace quorvane::db
