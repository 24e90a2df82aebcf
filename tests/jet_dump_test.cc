// Every Jet file of the test data dumps, table list and every table, exactly
// as the expected files under tests/data/dumps say; those were written by an
// earlier reader, so a change of reader that alters one value shows here.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

using testing::RunQuorvane;

class JetDumpTest : public ::testing::TestWithParam<const char*> {};

TEST_P(JetDumpTest, DumpsAsBefore) {
  const std::string database = testing::FixturePath(std::string(GetParam()) + ".mdb");
  std::string name = GetParam();
  name = name.substr(name.rfind('/') + 1);
  const std::string expected = testing::ReadFile(testing::FixturePath("dumps/" + name + ".dump"));
  ASSERT_FALSE(expected.empty());

  auto tables = RunQuorvane("dump " + database);
  ASSERT_EQ(tables.status, 0) << tables.output;
  std::string actual = tables.output;
  std::istringstream names(tables.output);
  for (std::string table; std::getline(names, table);) {
    auto rows = RunQuorvane("dump " + database + " " + table);
    ASSERT_EQ(rows.status, 0) << table << ": " << rows.output;
    actual += rows.output;
  }
  // Compared line by line first, so that a difference names its line.
  std::istringstream want(expected), got(actual);
  std::string want_line, got_line;
  for (int line = 1; std::getline(want, want_line); ++line) {
    ASSERT_TRUE(std::getline(got, got_line)) << "dump ends before line " << line;
    ASSERT_EQ(got_line, want_line) << "line " << line;
  }
  EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(TestData, JetDumpTest,
                         ::testing::Values("campaign", "broken", "types", "scale/units10000",
                                           "scale/units30000"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(name.rfind('/') + 1);
                         });

}  // namespace
}  // namespace quorvane
