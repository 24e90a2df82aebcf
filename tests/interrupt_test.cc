// A run ended by Ctrl-C or a termination request removes the files it had
// not finished and check's private folder, says so, and exits 128 + the
// signal's number; the files it finished stay whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/scale_mission.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::TempDir;

// Every path under `folder` whose name holds an unfinished file's mark.
std::vector<std::string> Unfinished(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename().string().find(".unfinished-") != std::string::npos) {
      found.push_back(entry.path().string());
    }
  }
  return found;
}

TEST(InterruptTest, SignalRemovesUnfinishedFilesAndPrivateFolder) {
  std::string data = TempDir();
  std::string database =
      testing::WriteScaleCampaign(data + "/scale.sqlite", {.missions = 12, .units = 2000});
  struct Case {
    const char* subcommand;
    const char* signal;
    int status;
  };
  for (const Case& c :
       {Case{"build", "INT", 130}, Case{"build", "TERM", 143}, Case{"check", "INT", 130}}) {
    std::string what = std::string(c.subcommand) + " SIG" + c.signal;
    std::string run = TempDir();  // the output folder, and check's TMPDIR
    bool check = std::string(c.subcommand) == "check";
    std::string command = testing::QuorvaneCommand(std::string(c.subcommand) + " " + database +
                                                   " --all" + (check ? "" : " -o " + run));
    // A shell's background command ignores SIGINT unless it is set back to
    // its default; the signal goes once a temporary file is being written.
    std::string side = TempDir();
    std::string script = "TMPDIR=" + run + " env --default-signal=INT " + command + " 2>" + side +
                         "/err.txt &\npid=$!\ni=0\n"
                         "while [ $i -lt 3000 ] && [ -z \"$(find " +
                         run +
                         " -name '.*.unfinished-*')\" ]; do sleep 0.01; i=$((i+1)); done\n"
                         "kill -" +
                         c.signal + " $pid\nwait $pid\necho $?\n";
    auto result = RunCommand("sh " + testing::WriteFile(side + "/interrupt.sh", script));
    EXPECT_EQ(result.output, std::to_string(c.status) + "\n") << what;
    std::string err = testing::ReadFile(side + "/err.txt");
    EXPECT_NE(err.find("quorvane: note: interrupted by SIG" + std::string(c.signal) +
                       "; this run's unfinished files were removed\n"),
              std::string::npos)
        << what << ": " << err;
    EXPECT_TRUE(Unfinished(run).empty()) << what;
    if (check) {
      EXPECT_TRUE(fs::is_empty(run)) << what;
    }
  }
}

}  // namespace
}  // namespace quorvane
