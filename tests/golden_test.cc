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

#include "compiler/write_quorvane.h"
#include "platform/message_sink.h"
#include "platform/runtime_error.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::FileSet;

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
    transcript += testing::TranscriptMessage(name, message.style == BoxStyle::kCritical,
                                             message.title, message.text);
  }
  transcript += testing::TranscriptResult(name, result);
}

// Compiles one mission into a fresh folder and returns its files and transcript.
FileSet CompileMission(const fs::path& database, int16_t mission, const fs::path& output) {
  fs::remove_all(output);
  fs::create_directories(output);
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date(testing::kGoldenDate);
  std::string transcript;
  std::string out = output.string();
  std::string folder = database.parent_path().string();
  std::string name = database.filename().string();
  int16_t id = mission;
  Record("fit", sink, transcript,
         [&] { return compiler.WriteMissionFITFile(out, folder, name, id); });
  Record("script", sink, transcript,
         [&] { return compiler.WriteMissionScript(out, folder, name, id); });
  return testing::CompiledFiles(out, transcript);
}

bool Regenerating() {
  const char* flag = std::getenv("QUORVANE_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

class GoldenTest : public ::testing::TestWithParam<int16_t> {};

TEST_P(GoldenTest, JetAndSqliteGiveTheExpectedFiles) {
  int16_t mission = GetParam();
  fs::path scratch = fs::path(quorvane::testing::TempDir()) / std::to_string(mission);
  FileSet from_sqlite =
      CompileMission(quorvane::testing::SqliteFixture("campaign"), mission, scratch / "out");
  fs::path golden = testing::GoldenFolder(mission);
  if (Regenerating()) {
    fs::remove_all(golden);
    fs::create_directories(golden);
    for (const auto& [name, bytes] : from_sqlite) {
      std::ofstream(golden / name, std::ios::binary) << bytes;
    }
  }
  FileSet expected = testing::ReadFolder(golden.string());
  ASSERT_FALSE(expected.empty()) << "no expected files for mission " << mission;
  testing::ExpectSameFiles(expected, from_sqlite, "campaign SQLite twin");
  FileSet from_jet =
      CompileMission(quorvane::testing::FixturePath("campaign.mdb"), mission, scratch / "out");
  testing::ExpectSameFiles(expected, from_jet, "campaign.mdb");
  fs::remove_all(scratch);
}

INSTANTIATE_TEST_SUITE_P(Campaign, GoldenTest, ::testing::ValuesIn(testing::GoldenMissions()));

}  // namespace
}  // namespace quorvane
