// Compiles every mission of the fixture campaign from the Jet file and from its
// SQLite twin and compares every output file, byte for byte, with the reviewed
// files under tests/golden/campaign/<MissionID>/. The messages and results of
// the two operations are compared too, as the transcript "messages.txt".
//
// scripts/regen-golden.sh rewrites the expected files from the SQLite twin.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "compiler/write_quorvane.h"
#include "platform/message_sink.h"
#include "platform/runtime_error.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTranscript = "messages.txt";

using FileSet = std::map<std::string, std::string>;  // file name -> bytes

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

FileSet ReadFolder(const fs::path& folder) {
  FileSet files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  }
  return files;
}

std::string StyleName(BoxStyle style) {
  return style == BoxStyle::kCritical ? "critical" : "plain";
}

// Runs one operation and adds its result and messages to the transcript.
template <typename Operation>
void Record(std::string_view name, RecordingSink& sink, std::string& transcript,
            Operation operation) {
  size_t before = sink.messages().size();
  std::string result;
  try {
    result = operation() ? "True" : "False";
  } catch (const RuntimeError& error) {
    result = std::string("runtime error: ") + error.what();
  }
  for (size_t i = before; i < sink.messages().size(); ++i) {
    const Message& message = sink.messages()[i];
    transcript += std::string(name) + " message: " + StyleName(message.style) + " [" +
                  message.title + "] " + message.text + "\n";
  }
  transcript += std::string(name) + ": " + result + "\n";
}

// Compiles one mission into a fresh folder and returns its files and transcript.
FileSet CompileMission(const fs::path& database, int16_t mission, const fs::path& output) {
  fs::remove_all(output);
  fs::create_directories(output);
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-01-01");
  std::string transcript;
  std::string out = output.string();
  std::string folder = database.parent_path().string();
  std::string name = database.filename().string();
  int16_t id = mission;
  Record("fit", sink, transcript,
         [&] { return compiler.WriteMissionFITFile(out, folder, name, id); });
  Record("script", sink, transcript,
         [&] { return compiler.WriteMissionScript(out, folder, name, id); });
  FileSet files = ReadFolder(output);
  files[kTranscript] = transcript;
  // The lookout include names its own full path; the expected files hold
  // "OUTPUT/" where the output folder stands.
  std::string folder_text = out + "/";
  for (auto& [file_name, bytes] : files) {
    for (size_t at = bytes.find(folder_text); at != std::string::npos;
         at = bytes.find(folder_text, at)) {
      bytes.replace(at, folder_text.size(), "OUTPUT/");
    }
  }
  return files;
}

fs::path GoldenFolder(int16_t mission) {
  return fs::path(QUORVANE_SOURCE_DIR) / "tests" / "golden" / "campaign" / std::to_string(mission);
}

bool Regenerating() {
  const char* flag = std::getenv("QUORVANE_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

void ExpectSameFiles(const FileSet& expected, const FileSet& actual, const std::string& where) {
  for (const auto& [name, bytes] : expected) {
    auto found = actual.find(name);
    if (found == actual.end()) {
      ADD_FAILURE() << where << ": " << name << " was not written";
      continue;
    }
    EXPECT_TRUE(found->second == bytes)
        << where << ": " << name << " differs from the expected file";
  }
  for (const auto& [name, bytes] : actual) {
    EXPECT_TRUE(expected.count(name)) << where << ": unexpected file " << name;
  }
}

class GoldenTest : public ::testing::TestWithParam<int16_t> {};

TEST_P(GoldenTest, JetAndSqliteGiveTheExpectedFiles) {
  int16_t mission = GetParam();
  fs::path scratch = fs::path(quorvane::testing::TempDir()) / std::to_string(mission);
  FileSet from_sqlite =
      CompileMission(quorvane::testing::SqliteFixture("campaign"), mission, scratch / "out");
  if (Regenerating()) {
    fs::remove_all(GoldenFolder(mission));
    fs::create_directories(GoldenFolder(mission));
    for (const auto& [name, bytes] : from_sqlite) {
      std::ofstream(GoldenFolder(mission) / name, std::ios::binary) << bytes;
    }
  }
  FileSet expected = ReadFolder(GoldenFolder(mission));
  ASSERT_FALSE(expected.empty()) << "no expected files for mission " << mission;
  ExpectSameFiles(expected, from_sqlite, "campaign SQLite twin");
  FileSet from_jet =
      CompileMission(quorvane::testing::FixturePath("campaign.mdb"), mission, scratch / "out");
  ExpectSameFiles(expected, from_jet, "campaign.mdb");
  fs::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Campaign, GoldenTest, ::testing::Values(1, 7, 12, 23, 105, 3000));

}  // namespace
}  // namespace quorvane
