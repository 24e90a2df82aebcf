// Jet files made up page by page, for what the Access-written files do not
// show in every clone: rows marked deleted between live ones and on several
// pages, a table definition continued on another page, a usage map that
// lists bitmap pages with holes between them, a long value chained over
// several pages, and an encrypted file.
#include "database/jet/jet_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "database/database.h"
#include "database/jet/jet_field.h"
#include "database/jet/jet_usage_map.h"
#include "platform/paged_file.h"
#include "platform/runtime_error.h"
#include "support/fixtures.h"
#include "support/jet_builder.h"

namespace quorvane::db {
namespace {

using testing::JetBuilder;
using Values = JetBuilder::RowValues;

constexpr uint16_t kDeleted = 0x8000;
const std::vector<JetBuilder::Column> kUnits = {
    {"Seq", JetBuilder::kLong}, {"Name", JetBuilder::kText}, {"Notes", JetBuilder::kMemo}};

Values Live(int seq, const std::string& name) {
  return {{std::to_string(seq), name, name + "!"}, 0};
}
Values Deleted(int seq, const std::string& name) {
  return {{std::to_string(seq), name, std::nullopt}, kDeleted};
}

// Every row of a table as "Seq Name Notes" lines, read through the database
// interface as the compiler reads it.
std::vector<std::string> Rows(const std::string& path, const std::string& table) {
  auto database = OpenDatabase(path);
  auto records = database->OpenRecordset("[" + table + "]");
  std::vector<std::string> rows;
  for (; !records->Eof(); records->MoveNext()) {
    rows.push_back(JoinedForm(records->Field("Seq")) + " " + JoinedForm(records->Field("Name")) +
                   " " + JoinedForm(records->Field("Notes")));
  }
  return rows;
}

TEST(JetReaderTest, RowsMarkedDeletedAreNotRead) {
  struct Case {
    const char* what;
    std::vector<std::vector<Values>> pages;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"deleted rows between live ones, on two pages",
       {{Live(1, "Atlas"), Deleted(90, "gone"), Live(2, "Bushwacker"), Deleted(91, "gone")},
        {Deleted(92, "gone"), Live(3, "Cougar"), Deleted(93, "gone"), Deleted(94, "gone"),
         Live(4, "Daishi")}},
       {"1 Atlas Atlas!", "2 Bushwacker Bushwacker!", "3 Cougar Cougar!", "4 Daishi Daishi!"}},
      {"a page of deleted rows only, between pages of live ones",
       {{Live(1, "Atlas")}, {Deleted(90, "gone"), Deleted(91, "gone")}, {Live(2, "Bushwacker")}},
       {"1 Atlas Atlas!", "2 Bushwacker Bushwacker!"}},
      {"every row deleted", {{Deleted(90, "gone")}, {Deleted(91, "gone")}}, {}},
  };
  for (const Case& c : cases) {
    JetBuilder file;
    file.AddTable("Units", kUnits, c.pages);
    std::string path = file.Write(testing::TempDir() + "/deleted.mdb");
    EXPECT_EQ(Rows(path, "Units"), c.rows) << c.what;
  }
}

TEST(JetReaderTest, DefinitionContinuedOnAnotherPage) {
  // 120 columns overrun the first page inside their names, 170 inside
  // their column entries, 250 go on over a third page.
  for (int count : {120, 170, 250}) {
    std::vector<JetBuilder::Column> columns;
    std::vector<std::optional<std::string>> values;
    for (int i = 0; i < count; ++i) {
      bool text = i % 7 == 3;
      columns.push_back(
          {"Column" + std::to_string(1000 + i), text ? JetBuilder::kText : JetBuilder::kLong});
      values.push_back(text ? "t" + std::to_string(i) : std::to_string(i * 100));
    }
    JetBuilder file;
    file.AddTable("Wide", columns, {{{values, 0}}});
    auto database = OpenDatabase(file.Write(testing::TempDir() + "/wide.mdb"));
    std::vector<std::string> names = database->ColumnNames("Wide");
    ASSERT_EQ(names.size(), columns.size()) << count;
    auto records = database->OpenRecordset("Wide");
    for (size_t i = 0; i < columns.size(); ++i) {
      EXPECT_EQ(names[i], columns[i].name) << count;
      EXPECT_EQ(JoinedForm(records->Field(names[i])), *values[i]) << count << " " << names[i];
    }
  }
}

TEST(JetReaderTest, EncryptedFilesAreRefused) {
  JetBuilder file(4, 1252, 0x1F2E3D4C);
  file.AddTable("Units", kUnits, {{Live(1, "Atlas")}});
  std::string path = file.Write(testing::TempDir() + "/encrypted.mdb");
  try {
    OpenDatabase(path);
    ADD_FAILURE() << "an encrypted file opened";
  } catch (const OpenError& error) {
    EXPECT_NE(std::string(error.what()).find("encrypted"), std::string::npos) << error.what();
  }
}

// A usage map that lists bitmap pages, each covering its stretch of the
// file; stretches without pages are zero entries. The file is sparse on
// disk and read a page at a time, so only its written pages take room.
TEST(JetReaderTest, PageListUsageMapSkipsItsHoles) {
  const uint32_t span = (4096 - 4) * 8;  // pages one bitmap page covers
  JetBuilder file;
  uint32_t first_map = file.AddPage();
  uint32_t third_map = file.AddPage();
  auto bitmap_page = [&](uint32_t page, std::vector<uint32_t> marked) {
    file.Put(page, 0, "\x05\x01");
    for (uint32_t bit : marked) {
      std::string byte(1, static_cast<char>(1 << bit % 8));
      file.Put(page, 4 + bit / 8, byte);
    }
  };
  bitmap_page(first_map, {5, 9});
  bitmap_page(third_map, {3});
  file.PageAt(2 * span + 3);
  std::string map = std::string(1, '\x01') + JetBuilder::U32(first_map) + JetBuilder::U32(0) +
                    JetBuilder::U32(third_map) + JetBuilder::U32(0);
  uint32_t map_row = file.AddDataPage(0, {{map, 0}});
  std::string path = file.Write(testing::TempDir() + "/sparse.mdb");

  auto paged = PagedFile::Open(path, kJet4PageSize);
  JetPages pages([&](uint32_t page) { return paged->Page(page); }, paged->size(), 4);
  EXPECT_EQ(JetUsageMapPages(pages, map_row << 8), (std::vector<uint32_t>{5, 9, 2 * span + 3}));

  // A bitmap page past the end of the file makes the map unsound.
  std::string beyond = std::string(1, '\x01') + JetBuilder::U32(4 * span);
  uint32_t beyond_row = file.AddDataPage(0, {{beyond, 0}});
  std::string bytes = file.Bytes();
  JetPages small({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, 4);
  EXPECT_EQ(JetUsageMapPages(small, beyond_row << 8), std::nullopt);
}

TEST(JetReaderTest, LongValueChainedOverSeveralPages) {
  JetBuilder file;
  const std::string lval = "LVAL";
  uint32_t first = file.AddPage();
  uint32_t second = file.AddPage();
  uint32_t third = file.AddPage();
  auto link = [&](uint32_t next_page, unsigned next_row, const std::string& text) {
    return JetBuilder::Row{
        (next_page ? JetBuilder::Pointer(next_page, next_row) : JetBuilder::U32(0)) +
        JetBuilder::Ucs2(text)};
  };
  uint32_t owner = static_cast<uint32_t>(lval[0]) | lval[1] << 8 | lval[2] << 16 | lval[3] << 24;
  file.PutDataPage(first, owner, {link(second, 0, "Twelve ")});
  file.PutDataPage(second, owner, {link(third, 1, "missions, ")});
  file.PutDataPage(
      third, owner,
      {{JetBuilder::Ucs2("one page"), 0}, link(0, 0, "one campaign."), link(third, 7, "x")});
  std::string bytes = file.Bytes();
  JetPages pages({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, 4);
  JetColumn memo;
  memo.name = "Notes";
  memo.type = JetType::kMemo;
  auto read = [&](uint32_t flags_and_length, uint32_t pointer) {
    std::string header =
        JetBuilder::U32(flags_and_length) + JetBuilder::U32(pointer) + JetBuilder::U32(0);
    JetFieldBytes field{{reinterpret_cast<const unsigned char*>(header.data()), header.size()},
                        false};
    return DecodeJetField(pages, memo, field, 1252);
  };
  const std::string text = "Twelve missions, one campaign.";
  EXPECT_EQ(read(2 * text.size(), first << 8).text_value(), text);
  // One long-value row of its own, and a length shorter than the chain.
  EXPECT_EQ(read(0x40000000u | 16, third << 8).text_value(), "one page");
  EXPECT_EQ(read(2 * 6, first << 8).text_value(), "Twelve");
  // A chain that ends before its length, one that leads to a missing slot,
  // and a value on no page.
  EXPECT_THROW(read(2 * text.size() + 2, first << 8), RuntimeError);
  EXPECT_THROW(read(4000, third << 8 | 2), RuntimeError);
  EXPECT_THROW(read(20, 1000 << 8), RuntimeError);
}

}  // namespace
}  // namespace quorvane::db
