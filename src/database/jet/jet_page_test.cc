// Rows that grew and moved to other pages, read through the slot they were
// first stored in, and slots whose pointers or bounds are damaged.
#include "database/jet/jet_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::db {
namespace {

constexpr size_t kPage = 4096;
constexpr uint32_t kTable = 5;
constexpr uint32_t kOtherTable = 9;

struct Row {
  uint16_t flags;
  std::string bytes;
};

std::string Pointer(uint32_t page, unsigned row) {
  uint32_t value = page << 8 | row;
  return std::string(reinterpret_cast<const char*>(&value), 4);
}

// Writes a Jet 4 data page: rows from the end of the page down, their slots
// (offset and flags) after the row count.
void PutDataPage(std::vector<char>& file, uint32_t page, uint32_t owner,
                 const std::vector<Row>& rows) {
  char* bytes = file.data() + page * kPage;
  bytes[0] = 0x01;
  std::memcpy(bytes + 4, &owner, 4);
  uint16_t count = static_cast<uint16_t>(rows.size());
  std::memcpy(bytes + 12, &count, 2);
  size_t end = kPage;
  for (size_t r = 0; r < rows.size(); ++r) {
    end -= rows[r].bytes.size();
    std::memcpy(bytes + end, rows[r].bytes.data(), rows[r].bytes.size());
    uint16_t slot = static_cast<uint16_t>(end | rows[r].flags);
    std::memcpy(bytes + 14 + 2 * r, &slot, 2);
  }
}

class JetPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PutDataPage(file_, 2, kTable,
                {{0, "plain"},
                 {kJetRowMoved, Pointer(3, 0)},
                 {kJetRowDeleted | kJetRowMoved, "gone"},
                 {kJetRowMoved, Pointer(3, 1)},
                 {kJetRowMoved, Pointer(6, 0)},
                 {kJetRowMoved, Pointer(3, 2)},
                 {kJetRowMoved, Pointer(3, 3)},
                 {kJetRowMoved, Pointer(3, 9)},
                 {kJetRowMoved, "ab"}});
    PutDataPage(file_, 3, kTable,
                {{kJetRowDeleted, "moved once"},
                 {kJetRowMoved, Pointer(4, 0)},
                 {0, "a live row"},
                 {kJetRowMoved, Pointer(2, 6)}});
    PutDataPage(file_, 4, kTable, {{kJetRowDeleted, "moved twice"}});
    PutDataPage(file_, 6, kOtherTable, {{kJetRowDeleted, "another table's"}});
  }

  std::optional<std::string> Read(uint32_t page, unsigned row) const {
    std::optional<JetSlot> slot = pages_.Slot(page, row);
    if (!slot) return std::nullopt;
    std::optional<JetRowBytes> bytes = pages_.RowOf(*slot, kTable);
    if (!bytes) return std::nullopt;
    return std::string(bytes->bytes.View());
  }

  std::vector<char> file_ = std::vector<char>(8 * kPage);
  JetPages pages_{{reinterpret_cast<const unsigned char*>(file_.data()), file_.size()}, 4};
};

TEST_F(JetPagesTest, MovedRowsReadThroughTheirFirstSlot) {
  struct Case {
    unsigned row;
    std::optional<std::string> read;
  };
  const Case cases[] = {
      {0, "plain"},       {1, "moved once"},
      {3, "moved twice"}, {4, std::nullopt},  // a pointer into another table
      {5, std::nullopt},                      // a pointer to a row the page scan reads too
      {6, std::nullopt},                      // pointers in a loop
      {7, std::nullopt},                      // a pointer past the last slot
      {8, std::nullopt},                      // a pointer cut short
      {9, std::nullopt},                      // no such slot
  };
  for (const Case& c : cases) EXPECT_EQ(Read(2, c.row), c.read) << "row " << c.row;
  EXPECT_EQ(pages_.Slot(2, 2)->flags, kJetRowDeleted | kJetRowMoved);
}

TEST_F(JetPagesTest, SlotsOutsideTheirPageReadAsNothing) {
  EXPECT_EQ(pages_.RowCount(1), std::nullopt);  // no data page
  EXPECT_EQ(pages_.RowCount(8), std::nullopt);  // past the end of the file
  uint16_t too_many = 2100;
  std::memcpy(file_.data() + 4 * kPage + 12, &too_many, 2);
  EXPECT_EQ(pages_.RowCount(4), std::nullopt);
  uint16_t inside_slot_table = 16;
  std::memcpy(file_.data() + 3 * kPage + 14, &inside_slot_table, 2);
  EXPECT_EQ(pages_.Slot(3, 0), std::nullopt);
  uint16_t beyond_previous_row = kPage - 2;
  std::memcpy(file_.data() + 3 * kPage + 16, &beyond_previous_row, 2);
  EXPECT_EQ(pages_.Slot(3, 1), std::nullopt);
}

}  // namespace
}  // namespace quorvane::db
