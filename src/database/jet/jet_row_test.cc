// Rows as Access leaves them after columns were deleted or added, Jet 3 rows
// whose variable data crosses 256 bytes, and rows whose offsets are damaged.
#include "database/jet/jet_row.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/jet_builder.h"

namespace quorvane::db {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Jet4Row(unsigned columns, const std::string& fixed, const std::vector<std::string>& values,
              const std::vector<unsigned>& present) {
  std::string row = testing::JetBuilder::Jet4Row(columns, fixed, values, present);
  return Bytes(row.begin(), row.end());
}

JetColumnLayout Fixed(unsigned number, size_t offset, size_t size) {
  return {number, true, false, offset, size, 0};
}
JetColumnLayout Variable(unsigned number, unsigned index) {
  return {number, false, false, 0, 0, index};
}
JetColumnLayout YesNo(unsigned number) { return {number, true, true, 0, 0, 0}; }

std::string Text(const JetFieldBytes& field) {
  return field.is_null ? "Null" : std::string(field.bytes.View());
}

bool Split(const Bytes& row, int version, const std::vector<JetColumnLayout>& columns,
           std::vector<JetFieldBytes>& fields) {
  return SplitJetRow({0, JetBytes(row.data(), row.size())}, version, true, columns, fields);
}

// Columns 0 (fixed) and 2 (variable) are left of a table whose columns 1
// (fixed) and 3 (variable) were deleted; column 4, a Yes/No, and column 5
// were added after the row was written.
const std::vector<JetColumnLayout> kEditedTable = {Fixed(0, 0, 2), Variable(2, 0), Variable(4, 2),
                                                   YesNo(5), Fixed(6, 4, 2)};

TEST(JetRowTest, ReadsValuesPastDeletedColumnsAndAddedOnesAsNull) {
  // Five columns stored: 0 and 1 fixed, 2 to 4 variable, 3 deleted but kept.
  Bytes row = Jet4Row(5, "AABB", {"kept", "deleted", "last"}, {0, 1, 2, 3, 4});
  std::vector<JetFieldBytes> fields;
  ASSERT_TRUE(Split(row, 4, kEditedTable, fields));
  std::vector<std::string> texts;
  for (const JetFieldBytes& field : fields) texts.push_back(Text(field));
  EXPECT_EQ(texts, (std::vector<std::string>{"AA", "kept", "last", "Null", "Null"}));
}

TEST(JetRowTest, Jet3OffsetsPast255ComeFromTheJumpTable) {
  // Count, a 300-byte value and a 1-byte one, then the offsets' low bytes
  // (end 302, 301, 1), one jump at offset index 1, the variable count and
  // the null mask.
  Bytes row = {2};
  row.insert(row.end(), 300, 'a');
  row.insert(row.end(), {'x', 302 & 0xff, 301 & 0xff, 1, 1, 2, 0x03});
  std::vector<JetFieldBytes> fields;
  ASSERT_TRUE(Split(row, 3, {Variable(0, 0), Variable(1, 1)}, fields));
  EXPECT_EQ(Text(fields[0]), std::string(300, 'a'));
  EXPECT_EQ(Text(fields[1]), "x");
}

TEST(JetRowTest, RefusesRowsWhoseBytesDoNotHoldWhatTheySay) {
  const Bytes sound = Jet4Row(5, "AABB", {"kept", "deleted", "last"}, {0, 1, 2, 3, 4});
  const size_t mask = sound.size() - 1;
  const size_t var_count = mask - 2;
  const size_t first_offset = var_count - 2;
  struct Damage {
    const char* what;
    std::function<void(Bytes&)> apply;
  };
  const Damage damages[] = {
      {"offsets run backwards", [&](Bytes& r) { r[first_offset] = 40; }},
      {"offset into the trailer", [&](Bytes& r) { r[first_offset - 4] = 60; }},
      {"more variable columns than bytes", [&](Bytes& r) { r[var_count] = 200; }},
      {"a null mask longer than the row", [&](Bytes& r) { r[1] = 1; }},
      {"cut to its column count", [&](Bytes& r) { r.resize(2); }},
      {"a fixed value running into the variable data",
       [&](Bytes& r) {
         r = Jet4Row(5, "A", {"kept", "deleted", "last"}, {0, 1, 2, 3, 4});
       }},
  };
  for (const Damage& damage : damages) {
    Bytes row = sound;
    damage.apply(row);
    std::vector<JetFieldBytes> fields;
    EXPECT_FALSE(Split(row, 4, kEditedTable, fields)) << damage.what;
  }
}

}  // namespace
}  // namespace quorvane::db
