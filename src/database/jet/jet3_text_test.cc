// Text of a Jet 3 file is in the file's code page (Windows-1252 here) and
// must come out as UTF-8 whatever the environment says (variables that other
// Jet tools read, such as MDB_JET3_CHARSET, change nothing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "database/database.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane::db {
namespace {

using quorvane::testing::FixturePath;
using quorvane::testing::TempDir;

void SetVariable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value != nullptr ? value : "");
#else
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    SetVariable(name, value);
  }
  ~ScopedEnv() { SetVariable(name_, old_ ? old_->c_str() : nullptr); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Jet3TextTest, DecodesWindows1252LettersAsUtf8) {
  if (!quorvane::testing::ThirdpartyAvailable()) GTEST_SKIP() << "no third-party samples";
  std::string bytes = quorvane::testing::ReadFile(FixturePath("thirdparty/jet3_sample.mdb"));
  // Table1 holds "abcdefg"; a copy gets é € ’ (E9 80 92 in Windows-1252) for "bcd".
  std::string needle = "abcdefg";
  auto at = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end());
  ASSERT_NE(at, bytes.end());
  at[1] = '\xE9';
  at[2] = '\x80';
  at[3] = '\x92';
  std::string path = quorvane::testing::WriteFile(TempDir() + "/codepage.mdb", bytes);

  ScopedEnv charset("MDB_JET3_CHARSET", "CP1251");
  ScopedEnv output("MDBICONV", "ISO-8859-1");
  auto database = OpenDatabase(path);
  auto records = database->OpenRecordset("Table1");
  records->FindFirst("[B] = 'HIJKLMNOP'");
  ASSERT_FALSE(records->NoMatch());
  EXPECT_EQ(records->Field("A").text_value(), "a\u00e9\u20ac\u2019efg");
}

}  // namespace
}  // namespace quorvane::db
