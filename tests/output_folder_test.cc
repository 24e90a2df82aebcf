// Output stays inside the output folder: mission file names that would leave
// it are refused by both operations before any file is created, and so is an
// output path that is not a folder. Files are created as a program normally
// creates them, with the mode the umask leaves.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "compiler/write_quorvane.h"
#include "platform/file_calls.h"
#include "platform/output_file.h"
#include "platform/runtime_error.h"
#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/mission_sql.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadLines;
using testing::SqliteDatabase;
using testing::SqliteFixture;
using testing::TempDir;

constexpr int16_t kMission = 7;

// A copy of the campaign database in `folder` whose mission 7 has the file
// name given by the SQL expression `name_sql`.
std::string CampaignWithFileName(const std::string& folder, const std::string& name_sql) {
  std::string path = folder + "/campaign.sqlite";
  fs::copy_file(SqliteFixture("campaign"), path, fs::copy_options::overwrite_existing);
  return SqliteDatabase(path, "UPDATE NewMissions SET MissionFileName = " + name_sql +
                                  " WHERE MissionID = " + std::to_string(kMission) + ";");
}

// Every file and folder under `root`, relative to it.
std::vector<std::string> Tree(const std::string& root) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(files::NativePath(root))) {
    entries.push_back(files::Utf8Path(fs::relative(entry.path(), files::NativePath(root))));
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

struct Outcome {
  bool result = false;
  std::vector<Message> messages;
  std::string error;  // the run-time error that ended the operation
  OperationReport report;
};

// Runs one operation (the FIT file or the script) on mission 7.
Outcome RunOperation(bool fit, const std::string& output, const std::string& database) {
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  std::string out = output;
  std::string folder = fs::path(database).parent_path().string();
  std::string name = fs::path(database).filename().string();
  int16_t mission = kMission;
  Outcome outcome;
  try {
    outcome.result = fit ? compiler.WriteMissionFITFile(out, folder, name, mission)
                         : compiler.WriteMissionScript(out, folder, name, mission);
  } catch (const RuntimeError& error) {
    outcome.error = error.what();
  }
  outcome.messages = sink.messages();
  outcome.report = compiler.last_report();
  return outcome;
}

TEST(OutputFolderTest, NamesThatLeaveTheFolderAreRefusedAndNothingIsCreated) {
  std::string root = TempDir();
  struct Case {
    std::string sql;   // the MissionFileName as SQL
    std::string name;  // as the message shows it
  };
  const std::vector<Case> cases = {
      {"'../x'", "../x"},
      {"'" + root + "/abs'", root + "/abs"},
      {"'a/../../x'", "a/../../x"},
      {"'..'", ".."},
      {"'../escaped.abl'", "../escaped.abl"},
      {"'sub/..'", "sub/.."},
      {"'ab' || char(0) || 'cd'", std::string("ab\0cd", 5)},
#ifdef _WIN32
      {"'..\\x'", "..\\x"},
      {"'C:\\x'", "C:\\x"},
      {"'\\x'", "\\x"},
      {"'sub\\..\\..\\x'", "sub\\..\\..\\x"},
      {"'CON'", "CON"},
      {"'nul.txt'", "nul.txt"},
#endif
  };
  for (const Case& c : cases) {
    for (bool fit : {true, false}) {
      std::string folder = TempDir();
      fs::create_directories(folder + "/out/a/sub");
      std::string database = CampaignWithFileName(folder, c.sql);
      std::vector<std::string> before = Tree(folder);
      Outcome outcome = RunOperation(fit, folder + "/out", database);
      EXPECT_FALSE(outcome.result) << c.name;
      ASSERT_FALSE(outcome.messages.empty()) << c.name;
      EXPECT_EQ(outcome.messages.back(),
                (Message{BoxStyle::kCritical, "Error",
                         "Mission file name '" + c.name +
                             "' is not a file name inside the output folder."}))
          << c.name;
      EXPECT_EQ(Tree(folder), before) << c.name << (fit ? " (FIT)" : " (script)");
    }
  }
  EXPECT_TRUE(Tree(root).empty());
}

// An output path that names a regular file, or a path through one, is
// refused before anything is written: the status of a refused operation, the
// path named, the file and its folder as they were.
TEST(OutputFolderTest, OutputPathNamingAFileIsRefused) {
  const std::string database = SqliteFixture("campaign");
  const std::string folder = TempDir();
  const std::string file = testing::WriteFile(folder + "/out", "keep me\n");
  const auto before = testing::FolderState(folder);
  for (const std::string& arguments :
       {"fit " + database + " 7 -o " + file, "script " + database + " 7 -o " + file,
        "build " + database + " 7 12 -o " + file, "build " + database + " --all -o " + file,
        "build " + database + " 7 -o " + file + "/",
        "build " + database + " 7 -o " + file + "/x"}) {
    auto result = testing::RunQuorvane(arguments);
    EXPECT_EQ(result.status, 1) << arguments << "\n" << result.output;
    EXPECT_NE(result.output.find("'" + file), std::string::npos) << result.output;
    EXPECT_EQ(testing::FolderState(folder), before) << arguments;
  }
}

// Subfolders of the output folder are names like any other.
TEST(OutputFolderTest, NamesInSubfoldersAreWrittenThere) {
  std::string folder = TempDir();
  fs::create_directories(folder + "/out/maps/a");
  std::string database = CampaignWithFileName(folder, "'maps/a/m7'");
  EXPECT_TRUE(RunOperation(true, folder + "/out", database).result);
  EXPECT_TRUE(RunOperation(false, folder + "/out", database).result);
  EXPECT_EQ(Tree(folder + "/out/maps/a"),
            (std::vector<std::string>{"m7.ABL", "m7.FIT", "m7_INIT.ABI", "m7_LOP.ABI", "m7_MP.ABI",
                                      "m7_STR.ABI", "m7_VAR.ABI"}));
}

// A name outside ASCII is written as that name, whatever the system's code
// page.
TEST(OutputFolderTest, NamesWithAccentsAreWrittenUnderThatName) {
  std::string folder = TempDir();
  fs::create_directories(folder + "/out");
  std::string database = CampaignWithFileName(folder, "'caf\xC3\xA9'");
  EXPECT_TRUE(RunOperation(true, folder + "/out", database).result);
  EXPECT_TRUE(RunOperation(false, folder + "/out", database).result);
  EXPECT_EQ(Tree(folder + "/out"),
            (std::vector<std::string>{"caf\xC3\xA9.ABL", "caf\xC3\xA9.FIT", "caf\xC3\xA9_INIT.ABI",
                                      "caf\xC3\xA9_LOP.ABI", "caf\xC3\xA9_MP.ABI",
                                      "caf\xC3\xA9_STR.ABI", "caf\xC3\xA9_VAR.ABI"}));
}

// An empty output path is the current folder.
TEST(OutputFolderTest, EmptyOutputPathIsTheCurrentFolder) {
  std::string folder = TempDir();
  fs::create_directories(folder + "/cwd");
  std::string database = CampaignWithFileName(folder, "'m7'");
  fs::path previous = fs::current_path();
  fs::current_path(folder + "/cwd");
  Outcome fit = RunOperation(true, "", database);
  Outcome script = RunOperation(false, "", database);
  fs::current_path(previous);
  EXPECT_TRUE(fit.result);
  EXPECT_TRUE(script.result);
  EXPECT_EQ(Tree(folder + "/cwd"),
            (std::vector<std::string>{"m7.ABL", "m7.FIT", "m7_INIT.ABI", "m7_LOP.ABI", "m7_MP.ABI",
                                      "m7_STR.ABI", "m7_VAR.ABI"}));
  EXPECT_EQ(ReadLines(folder + "/cwd/m7.FIT").back(), "FITend");
}

// The lines of every file in `folder`, by name.
std::map<std::string, std::vector<std::string>> FilesIn(const std::string& folder) {
  std::map<std::string, std::vector<std::string>> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadLines(entry.path().string());
  }
  return files;
}

// Looks at the output folder each time a message is shown, in the middle of
// a run: the files of the earlier run must still be there, whole.
class CheckingSink : public MessageSink {
 public:
  CheckingSink(std::string folder, std::map<std::string, std::vector<std::string>> earlier)
      : folder_(std::move(folder)), earlier_(std::move(earlier)) {}

  void Show(const Message& message) override {
    ++messages_;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      std::string name = entry.path().filename().string();
      if (name.find(kUnfinishedMark) != std::string::npos) {
        ++unfinished_seen_;
        continue;
      }
      EXPECT_EQ(ReadLines(entry.path().string()), earlier_.at(name))
          << name << " while showing " << message.text;
    }
  }
  int messages() const { return messages_; }
  int unfinished_seen() const { return unfinished_seen_; }

 private:
  std::string folder_;
  std::map<std::string, std::vector<std::string>> earlier_;
  int messages_ = 0;
  int unfinished_seen_ = 0;
};

// A second run over an earlier good one: while it writes (mission 3000 shows
// its warnings with the FIT file open), the earlier files are whole; at its
// end its own files are in place and no unfinished file is left.
TEST(OutputFilesTest, EarlierOutputStaysWholeWhileASecondRunWrites) {
  std::string folder = TempDir();
  std::string output = folder + "/out";
  fs::create_directories(output);
  std::string database = CampaignWithFileName(folder, "MissionFileName");  // unchanged
  std::string db_folder = folder;
  std::string db_name = "campaign.sqlite";
  auto compile = [&](MessageSink& sink, const std::string& date) {
    WriteQuorvane compiler(sink);
    compiler.set_creation_date(date);
    std::string out = output;
    int16_t mission = 3000;
    EXPECT_TRUE(compiler.WriteMissionFITFile(out, db_folder, db_name, mission));
    EXPECT_TRUE(compiler.WriteMissionScript(out, db_folder, db_name, mission));
  };
  RecordingSink first;
  compile(first, "2026-01-01");
  auto earlier = FilesIn(output);
  ASSERT_EQ(earlier.size(), 7u);

  CheckingSink second(output, earlier);
  compile(second, "2027-02-02");
  EXPECT_EQ(second.messages(), 3);
  EXPECT_EQ(second.unfinished_seen(), 3);  // the FIT file, open at each warning
  auto later = FilesIn(output);
  ASSERT_EQ(later.size(), 7u);
  EXPECT_NE(later.at("m3000.abl.FIT"), earlier.at("m3000.abl.FIT"));
  EXPECT_NE(later.at("m3000.abl.FIT").at(4).find("Creation Date: 2027-02-02"), std::string::npos);
  for (const auto& [name, lines] : later) {
    EXPECT_EQ(lines.back().find("<no line end>"), std::string::npos) << name;
  }
}

#ifndef _WIN32
// Under two umasks, every file `build` and `convert` create has mode 0666
// less the umask (Windows files have no mode).
TEST(OutputFilesTest, CreatedFilesHaveTheModeTheUmaskLeaves) {
  const std::string database = SqliteFixture("campaign");
  for (const mode_t umask : {mode_t{002}, mode_t{027}}) {
    const std::string folder = TempDir();
    const std::string set = "umask 0" + std::to_string(umask >> 6) +
                            std::to_string((umask >> 3) & 7) + std::to_string(umask & 7) + " && ";
    for (const std::string& arguments : {"build " + database + " 7 -o " + folder,
                                         "convert " + database + " " + folder + "/twin.sql",
                                         "convert " + database + " " + folder + "/twin.sqlite"}) {
      auto result = testing::RunCommand(set + testing::QuorvaneCommand(arguments) + " 2>&1");
      EXPECT_EQ(result.status, 0) << arguments << "\n" << result.output;
    }
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      struct stat info {};
      ASSERT_EQ(::stat(entry.path().c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, 0666 & ~umask)
          << entry.path().filename() << " under umask " << std::oct << umask;
      ++files;
    }
    EXPECT_EQ(files, 9u);
  }
}

#endif  // _WIN32

// A symbolic link at an output name is replaced by the file; the file it
// pointed to is not touched.
TEST(OutputFilesTest, SymbolicLinkAtAnOutputNameIsReplaced) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need privileges on Windows";
#endif
  std::string folder = TempDir();
  std::string output = folder + "/out";
  fs::create_directories(output);
  std::string database = CampaignWithFileName(folder, "'m7'");
  for (const char* name : {"victim.FIT", "victim_VAR.ABI"}) {
    std::ofstream(folder + "/" + name) << "keep me\r\n";
  }
  fs::create_symlink(folder + "/victim.FIT", output + "/m7.FIT");
  fs::create_symlink("../victim_VAR.ABI", output + "/m7_VAR.ABI");
  fs::create_symlink(folder + "/no-such-target", output + "/m7.ABL");
  EXPECT_TRUE(RunOperation(true, output, database).result);
  EXPECT_TRUE(RunOperation(false, output, database).result);
  for (const char* name : {"victim.FIT", "victim_VAR.ABI"}) {
    EXPECT_EQ(ReadLines(folder + "/" + name), std::vector<std::string>{"keep me"}) << name;
  }
  EXPECT_FALSE(fs::exists(folder + "/no-such-target"));
  for (const char* name : {"m7.FIT", "m7_VAR.ABI", "m7.ABL"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(output + "/" + name))) << name;
  }
  EXPECT_EQ(ReadLines(output + "/m7.FIT").back(), "FITend");
}

// The bytes of every file in `folder`, by name.
std::map<std::string, std::string> BytesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = testing::ReadFile(entry.path().string());
  }
  return files;
}

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// What an operation reports against what its folder holds: every file it
// lists is there (an unfinished one as far as it got), every other file is
// the earlier one, and no temporary is left.
void ExpectReportMatchesFolder(const Outcome& outcome, const std::string& output,
                               const std::map<std::string, std::string>& good,
                               const std::map<std::string, std::string>& earlier,
                               const std::string& what) {
  auto after = BytesIn(output);
  for (const std::string& name : outcome.report.incomplete) {
    EXPECT_TRUE(Lists(outcome.report.files, name)) << what << ": " << name;
  }
  for (const auto& [name, bytes] : after) {
    EXPECT_EQ(name.find(kUnfinishedMark), std::string::npos) << what << ": " << name;
    if (!Lists(outcome.report.files, name)) {
      EXPECT_EQ(bytes, earlier.count(name) ? earlier.at(name) : "(none)") << what << ": " << name;
    } else if (Lists(outcome.report.incomplete, name)) {
      EXPECT_TRUE(good.at(name).starts_with(bytes)) << what << ": " << name;
    } else {
      EXPECT_EQ(bytes, good.at(name)) << what << ": " << name;
    }
  }
  for (const std::string& name : outcome.report.files) {
    EXPECT_TRUE(after.count(name)) << what << ": " << name << " is listed but not there";
  }
}

// A disk that fills during a run (the nth write fails as a full disk does): the
// file that could not be stored is not put in place and its earlier file stays
// byte for byte; the run-time error names it; the report lists exactly what is
// in the folder.
TEST(OutputFilesTest, FileTheDiskCannotStoreLeavesTheEarlierFile) {
  std::string folder = TempDir();
  std::string output = folder + "/out";
  fs::create_directories(output);
  std::string database = CampaignWithFileName(folder, "'m7'");
  ASSERT_TRUE(RunOperation(true, output, database).result);
  ASSERT_TRUE(RunOperation(false, output, database).result);
  std::map<std::string, std::string> good = BytesIn(output);
  std::map<std::string, std::string> earlier;
  for (const auto& [name, bytes] : good) earlier[name] = "earlier " + name + "\r\n";
  for (bool fit : {true, false}) {
    for (int nth = 1;; ++nth) {
      std::string what = std::string(fit ? "FIT" : "script") + ", write " + std::to_string(nth);
      for (const auto& [name, bytes] : earlier) testing::WriteFile(output + "/" + name, bytes);
      files::FailNthWrite(nth, ENOSPC);
      Outcome outcome = RunOperation(fit, output, database);
      files::FailNthWrite(0, 0);
      if (outcome.error.empty()) {
        EXPECT_GT(nth, 1) << what;  // every write of the operation has failed once
        break;
      }
      EXPECT_FALSE(outcome.result) << what;
      std::string prefix = "Cannot write file '" + testing::InFolder(output, "");
      ASSERT_TRUE(outcome.error.starts_with(prefix)) << what << ": " << outcome.error;
      EXPECT_NE(outcome.error.find("': No space left on device"), std::string::npos) << what;
      std::string failed = outcome.error.substr(prefix.size());
      failed = failed.substr(0, failed.find('\''));
      EXPECT_EQ(testing::ReadFile(output + "/" + failed), earlier.at(failed)) << what;
      EXPECT_FALSE(Lists(outcome.report.files, failed)) << what;
      ExpectReportMatchesFolder(outcome, output, good, earlier, what);
    }
  }
}

// The same on a real full disk: a small tmpfs (mounted when the test runs as
// the superuser, else skipped), filled but for one page, holds the earlier
// files of a run; the second run cannot store its files.
TEST(OutputFilesTest, FullDiskLeavesTheEarlierFiles) {
#ifdef _WIN32
  GTEST_SKIP() << "mounting a small file system needs a POSIX superuser";
#else
  std::string folder = TempDir();
  std::string disk = folder + "/disk";
  fs::create_directories(disk);
  if (geteuid() != 0 ||
      testing::RunCommand("mount -t tmpfs -o size=1m tmpfs " + disk + " 2>&1").status != 0) {
    GTEST_SKIP() << "no small file system can be mounted here";
  }
  struct Unmount {
    std::string path;
    ~Unmount() { testing::RunCommand("umount " + path + " 2>&1"); }
  } unmount{disk};
  std::string output = disk + "/out";
  fs::create_directories(output);
  std::string reference = folder + "/reference";
  fs::create_directories(reference);
  std::string database = CampaignWithFileName(folder, "'m7'");
  auto compile = [&](const std::string& out, const std::string& date) {
    RecordingSink sink;
    WriteQuorvane compiler(sink);
    compiler.set_creation_date(date);
    std::string path = out;
    std::string db_folder = folder;
    std::string db_name = "campaign.sqlite";
    int16_t mission = kMission;
    Outcome outcome;
    try {
      outcome.result = compiler.WriteMissionFITFile(path, db_folder, db_name, mission) &&
                       compiler.WriteMissionScript(path, db_folder, db_name, mission);
    } catch (const RuntimeError& error) {
      outcome.error = error.what();
    }
    outcome.report = compiler.last_report();
    return outcome;
  };
  ASSERT_TRUE(compile(output, "2026-01-01").result);
  ASSERT_TRUE(compile(reference, "2027-02-02").result);
  std::map<std::string, std::string> earlier = BytesIn(output);
  // Everything but one page taken.
  uintmax_t free = fs::space(disk).available;
  ASSERT_GT(free, 4096u);
  testing::WriteFile(disk + "/filler", std::string(free - 4096, '\0'));
  Outcome outcome = compile(output, "2027-02-02");
  EXPECT_NE(outcome.error.find("No space left on device"), std::string::npos) << outcome.error;
  std::map<std::string, std::string> good = BytesIn(reference);
  ExpectReportMatchesFolder(outcome, output, good, earlier, "full disk");
  // A file the run could not store keeps its earlier bytes.
  std::map<std::string, std::string> after = BytesIn(output);
  size_t kept = 0;
  for (const auto& [name, bytes] : earlier) kept += after.at(name) == bytes ? 1 : 0;
  EXPECT_GT(kept, 0u);
#endif
}

// A mission file name whose include names pass the longest name a folder
// holds: the script is refused with the file named, and the report names
// only files that exist.
TEST(OutputFilesTest, OverlongIncludeNamesAreReportedAsTheyAre) {
  std::string folder = TempDir();
  std::string output = folder + "/out";
  fs::create_directories(output);
  std::string name(250, 'n');
  std::string database = CampaignWithFileName(folder, "'" + name + "'");
  Outcome outcome = RunOperation(false, output, database);
  EXPECT_NE(outcome.error.find("Cannot create file '" + testing::InFolder(output, name)),
            std::string::npos)
      << outcome.error;
  EXPECT_NE(outcome.error.find("File name too long"), std::string::npos) << outcome.error;
  ExpectReportMatchesFolder(outcome, output, BytesIn(output), {}, "overlong name");
}

}  // namespace
}  // namespace quorvane
