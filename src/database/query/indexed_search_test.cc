// Indexed searches find exactly the rows, in exactly the order, that a plain
// scan of the record set finds, and fail where the scan fails: checked on many
// generated tables, in stored and in sorted order, over every criteria form
// the compiler issues.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "database/query/dynaset.h"
#include "database/query/query_engine.h"
#include "database/query/sort_rows.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

const std::vector<std::string> kSides = {"Inner Sphere", "inner sphere", "Clan", "CLAN", "Other",
                                         "aTrain",       "ATRAIN",       "Élan", "élan"};

// A mission-assignments-like table. `mixed` gets numbers and texts in one
// column (a SQLite column without a type), as a damaged database may have.
std::shared_ptr<const TableData> GenerateTable(std::mt19937& random, int rows, bool mixed) {
  auto table = std::make_shared<TableData>(
      "MissionAssignments", std::vector<ColumnInfo>{{"MissionID", ColumnType::kLong},
                                                    {"UniqueEntry", ColumnType::kLong},
                                                    {"Alignment", ColumnType::kText},
                                                    {"ForceGroup", ColumnType::kInteger},
                                                    {"Role", ColumnType::kDouble},
                                                    {"Captureable", ColumnType::kYesNo},
                                                    {"CreateRadius", ColumnType::kCurrency},
                                                    {"Note", ColumnType::kUntyped}});
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto maybe_null = [&](Variant value) { return pick(12) == 0 ? Variant::Null() : value; };
  for (int row = 0; row < rows; ++row) {
    Variant note = Variant::String(pick(2) ? "a" : "B");
    if (mixed && pick(3) == 0) note = Variant::Long(pick(4));
    std::vector<Variant> values = {
        maybe_null(Variant::Long(1 + pick(3))),
        Variant::Long(1000 + row),
        maybe_null(Variant::String(kSides[static_cast<size_t>(pick(9))])),
        maybe_null(Variant::Integer(static_cast<int16_t>(1 + pick(4)))),
        maybe_null(Variant::Double(pick(5) * 0.5)),
        Variant::Boolean(pick(2) == 0),
        maybe_null(Variant::CurrencyScaled(pick(3) * 5000)),
        maybe_null(note)};
    table->AddRow(values);
  }
  return table;
}

// The criteria texts of the compiler's searches, with constants drawn from
// the generated values (and some that no row holds).
std::vector<std::string> CriteriaForms(std::mt19937& random) {
  auto number = [&](int n) { return std::to_string(random() % static_cast<unsigned>(n)); };
  auto side = [&] { return kSides[random() % kSides.size()]; };
  std::string mission = "[MissionID] = " + number(5);
  return {
      mission,
      "[MissionID] =" + number(5),
      "[UniqueEntry] = " + std::to_string(1000 + random() % 300),
      mission + " AND [Alignment] = '" + side() + "'",
      mission + " AND [Alignment] <> 'ATRAIN'",
      mission + " AND [Captureable] = TRUE",
      mission + " AND [Captureable] = FALSE AND [CreateRadius] > 0",
      mission + " AND [Alignment] = '" + side() + "' AND [ForceGroup] = " + number(5) +
          " AND [Role] <= " + number(3),
      "[ForceGroup] = " + number(5) + " AND " + mission,
      "[Role] = 1.5",
      "[Role] = -0",
      "[CreateRadius] = .5",
      "[MissionID] = Null",
      "[Alignment] Is Null",
      mission + " AND [ForceGroup] Is Not Null",
      "([MissionID] = 1 OR [MissionID] = 2) AND [ForceGroup] = " + number(5),
      "[MissionID] = 1 AND [MissionID] = 2",
      "NOT [MissionID] = 1",
      "[Note] = 'A'",
      mission + " AND [Note] = 2",
      "[Note] = 3",
  };
}

// The reference: every search reads the rows one by one from its start.
class ScanningRecordset {
 public:
  ScanningRecordset(std::shared_ptr<const TableData> table, std::vector<uint32_t> rows)
      : table_(std::move(table)), rows_(std::move(rows)) {}

  void Find(const std::string& text, size_t start) {
    Criteria criteria = Criteria::Parse(text, *table_);
    for (size_t position = start; position < rows_.size(); ++position) {
      if (criteria.Evaluate(*table_, rows_[position]) == Truth::kTrue) {
        position_ = position;
        no_match_ = false;
        return;
      }
    }
    no_match_ = true;
  }
  void FindFirst(const std::string& text) { Find(text, 0); }
  void FindNext(const std::string& text) { Find(text, position_ + 1); }
  bool NoMatch() const { return no_match_; }
  int64_t UniqueEntry() const { return table_->Cell(rows_[position_], 1).integer_value(); }

 private:
  std::shared_ptr<const TableData> table_;
  std::vector<uint32_t> rows_;
  size_t position_ = 0;
  bool no_match_ = false;
};

// Runs one step on both record sets and compares what they report: the
// error, or the match and the row it stands on.
template <typename Step>
void ExpectSameStep(Recordset& indexed, ScanningRecordset& scanned, const std::string& text,
                    Step step) {
  std::optional<std::string> indexed_error;
  std::optional<std::string> scanned_error;
  try {
    step(indexed);
  } catch (const RuntimeError& error) {
    indexed_error = error.what();
  }
  try {
    step(scanned);
  } catch (const RuntimeError& error) {
    scanned_error = error.what();
  }
  ASSERT_EQ(indexed_error, scanned_error) << text;
  if (indexed_error) return;
  ASSERT_EQ(indexed.NoMatch(), scanned.NoMatch()) << text;
  if (!indexed.NoMatch()) {
    ASSERT_EQ(indexed.Field("UniqueEntry").integer_value(), scanned.UniqueEntry()) << text;
  }
}

// A sorted order like the compiler's assignment query: Alignment descending
// without regard to case, then ForceGroup and Role, ties in stored order.
std::vector<uint32_t> SortedOrder(const TableData& table) {
  std::vector<uint32_t> rows(table.row_count());
  std::iota(rows.begin(), rows.end(), 0u);
  auto key = [&](uint32_t row) {
    const Variant& side = table.Cell(row, 2);
    const Variant& group = table.Cell(row, 3);
    return std::make_tuple(side.IsNull() ? std::string() : std::string(side.text_value()),
                           group.IsNull() ? -1.0 : group.ToDouble());
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](uint32_t a, uint32_t b) { return key(a) > key(b); });
  return rows;
}

class IndexedSearchTest : public ::testing::TestWithParam<bool> {};

TEST_P(IndexedSearchTest, AgreesWithAScanOnGeneratedTables) {
  const bool sorted = GetParam();
  std::mt19937 random(sorted ? 7 : 11);
  for (int round = 0; round < 40; ++round) {
    auto table = GenerateTable(random, 1 + static_cast<int>(random() % 300), round % 4 == 3);
    std::vector<uint32_t> order(table->row_count());
    std::iota(order.begin(), order.end(), 0u);
    if (sorted) order = SortedOrder(*table);
    auto shared =
        sorted ? std::make_shared<OrderedRows>(table, order) : std::make_shared<OrderedRows>(table);
    const std::vector<std::string> forms = CriteriaForms(random);
    for (size_t sequence = 0; sequence < 12; ++sequence) {
      // Several record sets share the rows; each walks its own searches.
      Dynaset indexed(shared);
      ScanningRecordset scanned(table, order);
      const std::string& first = forms[random() % forms.size()];
      const std::string& next = sequence % 3 == 0 ? forms[random() % forms.size()] : first;
      ExpectSameStep(indexed, scanned, first, [&](auto& r) { r.FindFirst(first); });
      for (int steps = 0; steps < 400 && !indexed.NoMatch(); ++steps) {
        ExpectSameStep(indexed, scanned, next, [&](auto& r) { r.FindNext(next); });
      }
    }
  }
}

// A text search through the index finds the rows that differ from its text
// only in case, as a scan does: every letter of the alphabet alone and inside
// a word beyond ASCII, searched in each case, and letters beyond ASCII that
// have both cases.
TEST(IndexedSearchTest, TextSearchesIgnoreTheCaseOfEveryLetter) {
  std::vector<std::pair<std::string, std::string>> words;  // upper and lower case
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string upper(1, letter);
    std::string lower(1, static_cast<char>(letter - 'A' + 'a'));
    words.emplace_back(upper, lower);
    words.emplace_back("x" + upper + "Ä", "X" + lower + "ä");
  }
  for (const char* pair : {"Àà", "Éé", "Ññ", "Øø", "Þþ", "Œœ", "Šš", "Žž", "Ÿÿ"}) {
    std::string both(pair);
    const size_t half = both.size() / 2;
    words.emplace_back(both.substr(0, half), both.substr(half));
    words.emplace_back("Q" + both.substr(0, half) + "r", "q" + both.substr(half) + "R");
  }
  auto table = std::make_shared<TableData>(
      "MissionAssignments", std::vector<ColumnInfo>{{"MissionID", ColumnType::kLong},
                                                    {"UniqueEntry", ColumnType::kLong},
                                                    {"Alignment", ColumnType::kText}});
  int32_t entry = 1000;
  for (const auto& [upper, lower] : words) {
    for (const std::string& text : {upper, lower}) {
      std::vector<Variant> row = {Variant::Long(1), Variant::Long(entry++), Variant::String(text)};
      table->AddRow(row);
    }
  }
  std::vector<uint32_t> order(table->row_count());
  std::iota(order.begin(), order.end(), 0u);
  auto rows = std::make_shared<OrderedRows>(table);
  for (const auto& [upper, lower] : words) {
    for (const std::string& text : {upper, lower}) {
      const std::string criteria = "[Alignment] = '" + text + "'";
      Dynaset indexed(rows);
      ScanningRecordset scanned(table, order);
      ExpectSameStep(indexed, scanned, criteria, [&](auto& r) { r.FindFirst(criteria); });
      int found = 0;
      for (; found < 4 && !indexed.NoMatch(); ++found) {
        ExpectSameStep(indexed, scanned, criteria, [&](auto& r) { r.FindNext(criteria); });
      }
      EXPECT_EQ(found, 2) << criteria;
    }
  }
}

// Selecting and ordering a query's rows in memory gives the rows, and the
// order, that the query engine gives: Null first (last when descending),
// texts without regard to case or accents' case, ties in stored order.
TEST(SelectionTest, MatchesTheQueryEngine) {
  std::mt19937 random(5);
  const std::vector<std::vector<SortKey>> orders = {
      {{2, true}, {3, false}, {4, false}},  // Alignment DESC, ForceGroup, Role
      {{0, false}},
      {{4, true}, {6, false}},
      {{5, false}, {2, false}},
  };
  for (int round = 0; round < 20; ++round) {
    auto table = GenerateTable(random, 1 + static_cast<int>(random() % 300), false);
    QueryEngine engine;
    engine.AddTable("t", *table);
    auto stored = std::make_shared<OrderedRows>(table);
    for (const std::string& form : CriteriaForms(random)) {
      Criteria where = Criteria::Parse(form, *table);
      if (!where.NeverMismatches(*table)) continue;
      const std::string sql = where.ToSql();
      std::vector<uint32_t> selected = stored->Matching(std::move(where));
      for (const auto& keys : orders) {
        std::string order;
        for (const SortKey& key : keys) {
          order += (order.empty() ? "c" : ", c") + std::to_string(key.column) +
                   (key.descending ? " DESC" : " ASC");
        }
        std::vector<uint32_t> sorted = selected;
        SortRows(*table, keys, sorted);
        ASSERT_EQ(sorted, engine.Select("t", sql, order)) << form << " ORDER BY " << order;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, IndexedSearchTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Sorted" : "Stored"; });

}  // namespace
}  // namespace quorvane::db
