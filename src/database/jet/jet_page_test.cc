// Rows that grew and moved to other pages, read through the slot they were
// first stored in, and slots whose pointers or bounds are damaged.
#include "database/jet/jet_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "support/jet_builder.h"

namespace quorvane::db {
namespace {

using testing::JetBuilder;

constexpr size_t kPage = 4096;
constexpr uint32_t kTable = 5;
constexpr uint32_t kOtherTable = 9;
// The pages of the test; those of a new file's header and catalog come before.
constexpr uint32_t kFirst = 10, kSecond = 11, kThird = 12, kOther = 16, kPastTheEnd = 100;

std::string Pointer(uint32_t page, unsigned row) { return JetBuilder::Pointer(page, row); }

// Rows that moved once, twice, into another table, in a loop, past the last
// slot, and a pointer cut short.
std::string MovedRowsFile() {
  JetBuilder file;
  file.PutDataPage(kFirst, kTable,
                   {{"plain"},
                    {Pointer(kSecond, 0), kJetRowMoved},
                    {"gone", kJetRowDeleted | kJetRowMoved},
                    {Pointer(kSecond, 1), kJetRowMoved},
                    {Pointer(kOther, 0), kJetRowMoved},
                    {Pointer(kSecond, 2), kJetRowMoved},
                    {Pointer(kSecond, 3), kJetRowMoved},
                    {Pointer(kSecond, 9), kJetRowMoved},
                    {"ab", kJetRowMoved}});
  file.PutDataPage(kSecond, kTable,
                   {{"moved once", kJetRowDeleted},
                    {Pointer(kThird, 0), kJetRowMoved},
                    {"a live row"},
                    {Pointer(kFirst, 6), kJetRowMoved}});
  file.PutDataPage(kThird, kTable, {{"moved twice", kJetRowDeleted}});
  file.PutDataPage(kOther, kOtherTable, {{"another table's", kJetRowDeleted}});
  return file.Bytes();
}

class JetPagesTest : public ::testing::Test {
 protected:
  std::optional<std::string> Read(uint32_t page, unsigned row) const {
    std::optional<JetSlot> slot = pages_.Slot(page, row);
    if (!slot) return std::nullopt;
    std::optional<JetRowBytes> bytes = pages_.RowOf(*slot, kTable);
    if (!bytes) return std::nullopt;
    return std::string(bytes->bytes.View());
  }

  void Change(uint32_t page, size_t offset, uint16_t value) {
    std::memcpy(file_.data() + page * kPage + offset, &value, 2);
  }

  std::string file_ = MovedRowsFile();
  JetPages pages_{std::span<const unsigned char>(
                      reinterpret_cast<const unsigned char*>(file_.data()), file_.size()),
                  4};
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
  for (const Case& c : cases) EXPECT_EQ(Read(kFirst, c.row), c.read) << "row " << c.row;
  EXPECT_EQ(pages_.Slot(kFirst, 2)->flags, kJetRowDeleted | kJetRowMoved);
}

TEST_F(JetPagesTest, SlotsOutsideTheirPageReadAsNothing) {
  EXPECT_EQ(pages_.RowCount(1), std::nullopt);            // no data page
  EXPECT_EQ(pages_.RowCount(kPastTheEnd), std::nullopt);  // past the end of the file
  Change(kThird, 12, 2100);                               // more slots than the page holds
  EXPECT_EQ(pages_.RowCount(kThird), std::nullopt);
  Change(kSecond, 14, 16);  // a row starting inside the slot table
  EXPECT_EQ(pages_.Slot(kSecond, 0), std::nullopt);
  Change(kSecond, 16, kPage - 2);  // a row beyond where the previous one starts
  EXPECT_EQ(pages_.Slot(kSecond, 1), std::nullopt);
}

}  // namespace
}  // namespace quorvane::db
