// The command's own messages where the compiler's message alone does not
// help: each is one line (and a note where one tells more), on the channel
// and with the status of its kind (setup check 1, usage 64), with control
// characters shown escaped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;

TEST(CommandMessageTest, EachMessageSaysWhatIsWrong) {
  std::string folder = testing::TempDir();
  fs::copy_file(testing::FixturePath("campaign.mdb"), folder + "/campaign.mdb");
  testing::WriteFile(folder + "/afile", "");
  fs::create_directory(folder + "/out");
  fs::create_directory(folder + "/locked");
  fs::permissions(folder + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
  std::string named = testing::SqliteFixtureWith(
      "campaign",
      "UPDATE NewMissions SET MissionFileName = 'ab' || char(0) || 'cd' || char(13) "
      "WHERE MissionID = 7");
  struct Case {
    std::string command;  // run in the folder
    std::string output;   // standard error and output
    int status;
  };
  std::vector<Case> cases = {
      {"build campaign.mdb 7 -o afile", "quorvane: error: 'afile' is a file, not a folder.\n", 1},
      {"TMPDIR=/nonexist quorvane check campaign.mdb 7",
       "quorvane: error: Could not create a temporary folder in '/nonexist' (TMPDIR): No such "
       "file or directory.\n",
       1},
      {"list nosuch.mdb", "quorvane: error: Could not find file 'nosuch.mdb'.\n", 1},
      {"dump nosuch.mdb", "quorvane: error: Could not find file 'nosuch.mdb'.\n", 1},
      {"check campaign.mdb 1 -o x",
       "quorvane: error: check writes no files, so it takes no output folder (-o); run "
       "'quorvane check --help' for usage\n",
       64},
      {"build campaign.mdb 999 -o out",
       "quorvane: mission 999: error: Incorrect record count in NewMissions table.\n"
       "quorvane: mission 999: note: FIT file not written (refused)\n"
       "quorvane: mission 999: error: Incorrect record count in NewMissions table.\n"
       "quorvane: mission 999: note: script not written (refused)\n"
       "quorvane: mission 999: note: the database has no mission 999; 'quorvane list "
       "campaign.mdb' shows its missions\n",
       1},
      {"fit " + named + " 7 -o out",
       "quorvane: mission 7: error: Mission file name 'ab\\0cd\\r' is not a file name inside the "
       "output folder.\nquorvane: mission 7: note: FIT file not written (refused)\n",
       1},
      {"fit " + named + " 7 -o out --message-format json 2>&1 | grep message",
       R"({"kind":"message","mission":7,"operation":"fit","style":"critical","title":"Error",)"
       R"("text":"Mission file name 'ab\\0cd\\r' is not a file name inside the output folder."})"
       "\n",
       0},
  };
  // Permissions do not stop the superuser.
  if (geteuid() != 0) {
    cases.push_back({"build campaign.mdb 7 -o locked",
                     "quorvane: error: Cannot write in the output folder 'locked': Permission "
                     "denied.\n",
                     1});
  }
  for (const Case& c : cases) {
    std::string command = c.command;
    size_t at = command.find("quorvane ");
    if (at == std::string::npos) {
      command = testing::QuorvaneCommand(command);
    } else {
      command.replace(at, 9, testing::QuorvaneCommand(""));
    }
    auto result = RunCommand("cd " + folder + " && " + command + " 2>&1");
    EXPECT_EQ(result.output, c.output) << c.command;
    EXPECT_EQ(result.status, c.status) << c.command;
  }
}

}  // namespace
}  // namespace quorvane
