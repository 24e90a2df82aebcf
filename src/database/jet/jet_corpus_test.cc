// Reads every table of a corpus of Jet 3 and Jet 4 files that Access itself
// wrote (deleted columns, moved rows, long memo values, many index layouts)
// and compares it, cell by cell, with what mdb-export prints for it. The
// corpus is third-party data kept beside the checkout, never in it: the test
// skips when the corpus or mdb-export is absent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "database/database.h"
#include "database/serial_date.h"
#include "support/command.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

namespace fs = std::filesystem;

struct CorpusFile {
  const char* path;  // in the corpus folder
  size_t tables;     // user tables it holds
};

void PrintTo(const CorpusFile& file, std::ostream* out) { *out << file.path; }

constexpr CorpusFile kCorpus[] = {
    {"V1997/compIndexTestV1997.mdb", 1},
    {"V1997/delColTestV1997.mdb", 1},
    {"V1997/delTestV1997.mdb", 1},
    {"V1997/indexTestV1997.mdb", 3},
    {"V1997/overflowTestV1997.mdb", 1},
    {"V1997/queryTestV1997.mdb", 3},
    {"V1997/test2V1997.mdb", 1},
    {"V1997/testIndexCodesV1997.mdb", 29},
    {"V1997/testV1997.mdb", 4},
    {"V2000/bigIndexTestV2000.mdb", 1},
    {"V2000/compIndexTestV2000.mdb", 1},
    {"V2000/delColTestV2000.mdb", 1},
    {"V2000/delTestV2000.mdb", 1},
    {"V2000/fixedNumericTestV2000.mdb", 1},
    {"V2000/fixedTextTestV2000.mdb", 1},
    {"V2000/indexCursorTestV2000.mdb", 1},
    {"V2000/indexTestV2000.mdb", 3},
    {"V2000/overflowTestV2000.mdb", 1},
    {"V2000/queryTestV2000.mdb", 3},
    {"V2000/test2V2000.mdb", 1},
    {"V2000/testIndexPropertiesV2000.mdb", 6},
    {"V2000/testPromotionV2000.mdb", 1},
    {"V2000/testRefGlobalV2000.mdb", 4},
    {"V2000/testV2000.mdb", 4},
};

// Rows that grew and moved to another page. mdb-export lists a moved row
// where its bytes now lie; the reader lists it where it was first stored, as
// Jet does. Row i of the reader is row order[i] of mdb-export.
struct MovedRows {
  const char* path;
  const char* table;
  std::vector<size_t> order;
};

const MovedRows kMovedRows[] = {
    {"V2000/overflowTestV2000.mdb", "Table1", {0, 1, 5, 2, 6, 3, 4}},
};

// mdb-export's date form, with four-digit years.
constexpr const char* kExportDateFormat = "%Y-%m-%d %H:%M:%S";

fs::path CorpusDir() {
  return fs::path(quorvane::testing::FixturePath("thirdparty/access-corpus"));
}

// A field of mdb-export's CSV: Null is an empty field without quotes.
struct ExportedCell {
  std::string text;
  bool quoted = false;
};
using ExportedRow = std::vector<ExportedCell>;

std::vector<ExportedRow> ParseCsv(const std::string& csv) {
  std::vector<ExportedRow> rows(1);
  ExportedCell cell;
  bool in_quotes = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    char c = csv[i];
    if (in_quotes && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
      cell.text += '"';
      ++i;
    } else if (c == '"') {
      in_quotes = !in_quotes;
      cell.quoted = true;
    } else if (!in_quotes && (c == ',' || c == '\n')) {
      rows.back().push_back(std::move(cell));
      cell = ExportedCell{};
      if (c == '\n') rows.emplace_back();
    } else {
      cell.text += c;
    }
  }
  if (!cell.text.empty() || cell.quoted) rows.back().push_back(std::move(cell));
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

bool IsCompared(ColumnType type) {
  return type != ColumnType::kBinary && type != ColumnType::kOle && type != ColumnType::kGuid;
}

// A number printed by either side, as a number.
std::optional<double> NumberOf(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return value;
}

double ReadNumber(const Variant& value) {
  switch (value.type()) {
    case VariantType::kSingle:
    case VariantType::kDouble:
      return value.real_value();
    case VariantType::kCurrency:
      return static_cast<double>(value.integer_value()) / 10000;
    case VariantType::kDecimal:
      return NumberOf(std::string(value.text_value())).value_or(NAN);
    default:
      return static_cast<double>(value.integer_value());
  }
}

double ToEightDigits(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.8g", value);
  return std::strtod(text, nullptr);
}

// Year, month, day, hour, minute and second of "YYYY-MM-DD HH:MM:SS".
std::optional<std::vector<int>> DateFields(const std::string& text) {
  std::vector<int> fields(6);
  char tail;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &fields[0], &fields[1], &fields[2],
                  &fields[3], &fields[4], &fields[5], &tail) != 6) {
    return std::nullopt;
  }
  return fields;
}

// Compares one cell. False when it is not compared: a date that mdb-export
// cannot print.
bool CompareCell(const Variant& read, const ExportedCell& exported, ColumnType type,
                 const std::string& where) {
  if (read.IsNull()) {
    EXPECT_TRUE(exported.text.empty() && !exported.quoted)
        << where << ": Null read, exported " << exported.text;
  } else if (type == ColumnType::kYesNo) {
    EXPECT_TRUE(exported.text == "1" || exported.text == "0") << where << ": " << exported.text;
    EXPECT_EQ(read.boolean_value(), exported.text == "1") << where;
  } else if (type == ColumnType::kDateTime) {
    // mdb-export prints a day before 1899-12-30 (a negative serial date) as
    // day 0 of January 1900.
    if (read.real_value() < 0) return false;
    std::optional<std::vector<int>> expected = DateFields(exported.text);
    std::optional<std::string> actual = DateTimeText(read.real_value());
    EXPECT_TRUE(expected && actual && DateFields(*actual) == expected)
        << where << ": read " << actual.value_or("?") << ", exported " << exported.text;
  } else if (KindOf(type) == ValueKind::kNumber) {
    std::optional<double> expected = NumberOf(exported.text);
    double actual = ReadNumber(read);
    // mdb-export prints a Single to 8 significant digits.
    if (type == ColumnType::kSingle) actual = ToEightDigits(actual);
    EXPECT_TRUE(expected && actual == *expected)
        << where << ": read " << actual << ", exported " << exported.text;
  } else {
    EXPECT_TRUE(exported.quoted) << where << ": text read, exported " << exported.text;
    EXPECT_EQ(read.text_value(), exported.text) << where;
  }
  return true;
}

const std::vector<size_t>* MovedRowOrder(const std::string& file, const std::string& table) {
  for (const MovedRows& moved : kMovedRows) {
    if (file == moved.path && table == moved.table) return &moved.order;
  }
  return nullptr;
}

// Compares a table with mdb-export's CSV of it; returns the number of cells
// compared.
size_t CompareTable(Database& database, const std::string& mdb_export, const std::string& file,
                    const std::string& table) {
  const std::string path = (CorpusDir() / file).string();
  // Text as UTF-8 (a Jet 3 file's in Windows-1252), numbers with a decimal point.
  auto [status, csv] = quorvane::testing::RunCommand(
      "LC_ALL=C MDBICONV=UTF-8 MDB_JET3_CHARSET=CP1252 " + Quoted(mdb_export) + " -b strip -T " +
      Quoted(kExportDateFormat) + " " + Quoted(path) + " " + Quoted(table));
  EXPECT_EQ(status, 0) << file << " " << table;
  std::vector<ExportedRow> exported = ParseCsv(csv);
  std::vector<ColumnInfo> columns = database.Columns(table);
  if (exported.empty() || exported[0].size() != columns.size()) {
    ADD_FAILURE() << file << " " << table << ": columns differ from mdb-export's";
    return 0;
  }
  for (size_t c = 0; c < columns.size(); ++c) {
    EXPECT_EQ(columns[c].name, exported[0][c].text) << file << " " << table;
  }
  const std::vector<size_t>* order = MovedRowOrder(file, table);
  auto records = database.OpenRecordset("[" + table + "]");
  size_t rows = 0;
  size_t cells = 0;
  for (; !records->Eof(); records->MoveNext(), ++rows) {
    size_t at = 1 + (order && rows < order->size() ? (*order)[rows] : rows);
    if (at >= exported.size() || exported[at].size() != columns.size()) {
      ADD_FAILURE() << file << " " << table << ": row " << rows << " is not exported alike";
      return cells;
    }
    for (size_t c = 0; c < columns.size(); ++c) {
      if (!IsCompared(columns[c].type)) continue;
      std::string where =
          file + " " + table + " row " + std::to_string(rows) + " " + columns[c].name;
      cells +=
          CompareCell(records->Field(columns[c].name), exported[at][c], columns[c].type, where);
    }
  }
  EXPECT_EQ(rows, exported.size() - 1) << file << " " << table;
  return cells;
}

class JetCorpusTest : public ::testing::TestWithParam<CorpusFile> {};

TEST_P(JetCorpusTest, EveryTableReadsAsMdbExportPrintsIt) {
  if (!fs::is_directory(CorpusDir())) GTEST_SKIP() << "no corpus of Access-written Jet files";
  const std::string mdb_export = quorvane::testing::FindOnPath("mdb-export");
  if (mdb_export.empty()) GTEST_SKIP() << "mdb-export is not installed";
  const std::string file = GetParam().path;
  std::unique_ptr<Database> database = OpenDatabase((CorpusDir() / file).string());
  std::vector<std::string> tables = database->TableNames();
  EXPECT_EQ(tables.size(), GetParam().tables) << file;
  size_t cells = 0;
  for (const std::string& table : tables) {
    try {
      cells += CompareTable(*database, mdb_export, file, table);
    } catch (const RuntimeError& error) {
      ADD_FAILURE() << file << " " << table << ": " << error.what();
    }
  }
  RecordProperty("tables", static_cast<int>(tables.size()));
  RecordProperty("cells", static_cast<int>(cells));
}

INSTANTIATE_TEST_SUITE_P(AccessWritten, JetCorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const auto& info) {
                           return fs::path(info.param.path).stem().string();
                         });

}  // namespace
}  // namespace quorvane::db
