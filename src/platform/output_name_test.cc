#include "platform/output_name.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct NameCase {
  std::string_view name;
  bool stays_posix;
  bool stays_windows;
};

// Windows reads "\" as a separator, drives and device names; POSIX reads
// those as plain characters of one name.
TEST(OutputNameTest, KeepsFilesInsideTheOutputFolderUnderEitherRule) {
  const NameCase cases[] = {
      {"m0007", true, true},
      {"sub/m0007", true, true},
      {"sub\\m0007", true, true},
      {"caf\xC3\xA9", true, true},
      {"a..b", true, true},
      {"..", false, false},
      {"../x", false, false},
      {"sub/../../x", false, false},
      {"..\\x", true, false},
      {"sub\\..\\x", true, false},
      {"/x", false, false},
      {"\\x", true, false},
      {"C:\\x", true, false},
      {"c:x", true, false},
      {"1:x", true, true},
      {"CON", true, false},
      {"con", true, false},
      {"nul.txt", true, false},
      {"Aux.FIT", true, false},
      {"sub/PRN", true, false},
      {"COM1", true, false},
      {"lpt9.abl", true, false},
      {"COM0", true, true},
      {"COM10", true, true},
      {"CONSOLE", true, true},
      {"NUL ", true, false},
      {std::string_view("a\0b", 3), false, false},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(StaysInOutputFolder(c.name, PathRule::kPosix), c.stays_posix) << c.name;
    EXPECT_EQ(StaysInOutputFolder(c.name, PathRule::kWindows), c.stays_windows) << c.name;
  }
}

}  // namespace
}  // namespace quorvane
