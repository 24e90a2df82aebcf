// Compiles every mission of the fixtures campaign (valid missions) and broken
// (one fault each) from the Jet file and from its SQLite twin, and the missions
// of the SQLite-only fixtures edges (negative and Null values, two faults in
// one mission) and nullflags (Null Yes/No values), and compares every output file,
// byte for byte, with the reviewed files under tests/golden/<fixture>/<MissionID>/.
// The messages and results of the two operations are compared too, as the
// transcript "messages.txt".
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

struct GoldenCase {
  std::string fixture;  // compiled from its Jet twin too, when it has one
  int16_t mission;
};

void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.fixture << " " << c.mission; }

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, JetAndSqliteGiveTheExpectedFiles) {
  const auto& [fixture, mission] = GetParam();
  fs::path scratch = fs::path(quorvane::testing::TempDir()) / std::to_string(mission);
  FileSet from_sqlite =
      CompileMission(quorvane::testing::SqliteFixture(fixture), mission, scratch / "out");
  fs::path golden = testing::GoldenFolder(mission, fixture);
  if (Regenerating()) {
    fs::remove_all(golden);
    fs::create_directories(golden);
    for (const auto& [name, bytes] : from_sqlite) {
      std::ofstream(golden / name, std::ios::binary) << bytes;
    }
  }
  FileSet expected = testing::ReadFolder(golden.string());
  ASSERT_FALSE(expected.empty()) << "no expected files for mission " << mission;
  testing::ExpectSameFiles(expected, from_sqlite, fixture + " SQLite twin");
  std::string jet = quorvane::testing::FixturePath(fixture + ".mdb");
  if (fs::exists(jet)) {
    testing::ExpectSameFiles(expected, CompileMission(jet, mission, scratch / "out"), jet);
  }
  fs::remove_all(scratch);
}

std::vector<GoldenCase> Cases(const std::string& fixture, const std::vector<int16_t>& missions) {
  std::vector<GoldenCase> cases;
  for (int16_t mission : missions) cases.push_back({fixture, mission});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Campaign, GoldenTest,
                         ::testing::ValuesIn(Cases("campaign", testing::GoldenMissions())));
INSTANTIATE_TEST_SUITE_P(Edges, GoldenTest,
                         ::testing::ValuesIn(Cases("edges",
                                                   {601, 602, 701, 702, 703, 704, 705, 706, 707,
                                                    708, 709, 710, 711, 712, 713, 714, 716})));
INSTANTIATE_TEST_SUITE_P(Broken, GoldenTest,
                         ::testing::ValuesIn(Cases("broken",
                                                   {201, 202, 203, 204, 205, 206, 207, 208, 209,
                                                    210, 211, 212, 213, 214, 215, 216, 217, 218,
                                                    219, 220, 221, 222, 223, 224, 225, 226, 227})));
INSTANTIATE_TEST_SUITE_P(NullFlags, GoldenTest,
                         ::testing::ValuesIn(Cases("nullflags", {501, 502, 503})));

}  // namespace
}  // namespace quorvane
