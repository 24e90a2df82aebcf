// Every table of the fixture databases read back and written in the dump
// format, compared with the expected dumps and across the two file formats.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/database.h"
#include "forms/tsv_form.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

using quorvane::testing::FixturePath;
using quorvane::testing::SqliteFixture;

// The blocks of a dump file by table name, comment lines dropped.
std::map<std::string, std::string> Blocks(std::istream& in, std::vector<std::string>* order) {
  std::map<std::string, std::string> blocks;
  std::string line, table;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) {
      table = line.substr(3, line.find('\t') - 3);
      if (order) order->push_back(table);
    } else if (line.rfind("# ", 0) == 0 || table.empty()) {
      continue;
    }
    blocks[table] += line + "\n";
  }
  return blocks;
}

std::map<std::string, std::string> ExpectedBlocks(const std::string& file,
                                                  std::vector<std::string>* order = nullptr) {
  std::ifstream in(file);
  EXPECT_TRUE(in) << file;
  return Blocks(in, order);
}

std::string Dump(Database& database, const std::string& table) {
  std::ostringstream out;
  WriteTableTsv(database, table, out);
  return out.str();
}

// The subtype every non-Null value of a column of this type must have.
VariantType SubtypeOf(ColumnType type) {
  switch (type) {
    case ColumnType::kYesNo:
      return VariantType::kBoolean;
    case ColumnType::kByte:
      return VariantType::kByte;
    case ColumnType::kInteger:
      return VariantType::kInteger;
    case ColumnType::kLong:
      return VariantType::kLong;
    case ColumnType::kSingle:
      return VariantType::kSingle;
    case ColumnType::kDouble:
      return VariantType::kDouble;
    case ColumnType::kCurrency:
      return VariantType::kCurrency;
    case ColumnType::kDecimal:
      return VariantType::kDecimal;
    case ColumnType::kDateTime:
      return VariantType::kDate;
    default:
      return VariantType::kString;
  }
}

void ExpectSubtypes(Database& database, const std::string& table) {
  auto columns = database.Columns(table);
  auto records = database.OpenRecordset(table);
  for (int row = 0; !records->Eof(); records->MoveNext(), ++row) {
    for (const auto& column : columns) {
      const Variant& value = records->Field(column.name);
      if (value.IsNull()) continue;
      EXPECT_EQ(value.type(), SubtypeOf(column.type))
          << table << "." << column.name << " row " << row;
    }
  }
}

struct DumpCase {
  std::string name;
  std::string database;  // fixture file, or "sqlite:NAME" for a twin built from NAME.sql
  std::string expected;  // fixture dump file
  friend void PrintTo(const DumpCase& c, std::ostream* out) { *out << c.name; }
};

std::string DatabasePath(const std::string& source) {
  if (source.rfind("sqlite:", 0) == 0) return SqliteFixture(source.substr(7));
  return FixturePath(source);
}

class ExpectedDumpTest : public ::testing::TestWithParam<DumpCase> {};

TEST_P(ExpectedDumpTest, EveryTableReadsAsExpected) {
  const DumpCase& c = GetParam();
  if (c.database.rfind("thirdparty/", 0) == 0 && !quorvane::testing::ThirdpartyAvailable()) {
    GTEST_SKIP() << "no third-party samples";
  }
  std::vector<std::string> order;
  auto expected = ExpectedBlocks(FixturePath(c.expected), &order);
  auto database = OpenDatabase(DatabasePath(c.database));
  EXPECT_EQ(database->TableNames(), order);
  for (const auto& table : order) {
    EXPECT_EQ(Dump(*database, table), expected[table]) << table;  // read from the file
    ExpectSubtypes(*database, table);
    EXPECT_EQ(Dump(*database, table), expected[table]) << table << ", once loaded";
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ExpectedDumpTest,
                         ::testing::Values(DumpCase{"TypesSqlite", "sqlite:types", "types.tsv"},
                                           DumpCase{"TypesJet4", "types.mdb", "types.tsv"},
                                           DumpCase{"Jet3Sample", "thirdparty/jet3_sample.mdb",
                                                    "thirdparty/expected.tsv"}),
                         [](const auto& info) { return info.param.name; });

// The Jet file and the SQLite twin of a mission database hold the same tables,
// columns, types, rows and values.
class TwinTest : public ::testing::TestWithParam<std::string> {};

TEST_P(TwinTest, JetFileAndSqliteTwinAgree) {
  auto jet = OpenDatabase(FixturePath(GetParam() + ".mdb"));
  auto sqlite = OpenDatabase(SqliteFixture(GetParam()));
  ASSERT_EQ(jet->TableNames(), sqlite->TableNames());
  for (const auto& table : sqlite->TableNames()) {
    EXPECT_EQ(Dump(*jet, table), Dump(*sqlite, table)) << table;
    ExpectSubtypes(*jet, table);
    ExpectSubtypes(*sqlite, table);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TwinTest, ::testing::Values("campaign", "broken"));

}  // namespace
}  // namespace quorvane::db
