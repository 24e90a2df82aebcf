// The C interface as a host uses it, through the shared library: results,
// messages, run-time errors, the identifier buffer, the header date, and two
// objects compiling on two threads at once.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "quorvane/quorvane.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using testing::FileSet;

struct Box {
  int style;
  std::string title;
  std::string text;
  bool operator==(const Box&) const = default;
};

// The host's side of the message callback: every box it was shown.
struct Host {
  std::vector<Box> boxes;
};

void ShowBox(void* host, int style, const char* title, const char* text) {
  static_cast<Host*>(host)->boxes.push_back({style, title, text});
}

struct Destroy {
  void operator()(quorvane_compiler* compiler) const { quorvane_destroy(compiler); }
};
using Handle = std::unique_ptr<quorvane_compiler, Destroy>;

Handle Create(Host& host) { return Handle(quorvane_create(&ShowBox, &host)); }

// The database argument pair of a fixture file: its folder and its name.
struct Database {
  std::string folder;
  std::string name;
};

Database Fixture(const std::string& file) {
  fs::path path = testing::FixturePath(file);
  return {path.parent_path().string(), path.filename().string()};
}

using Operation = decltype(&quorvane_write_mission_fit_file);

// Runs one operation and adds its messages and result to the transcript in
// the form of the expected files' "messages.txt".
void Record(const char* name, Operation operation, quorvane_compiler* compiler, Host& host,
            const std::string& output, const Database& database, int16_t mission,
            std::string& transcript) {
  host.boxes.clear();
  quorvane_bool result = 0;
  quorvane_status status = operation(compiler, output.c_str(), database.folder.c_str(),
                                     database.name.c_str(), mission, &result);
  for (const Box& box : host.boxes) {
    transcript += testing::TranscriptMessage(name, box.style == QUORVANE_MESSAGE_CRITICAL,
                                             box.title, box.text);
  }
  std::string verdict = status == QUORVANE_RUNTIME_ERROR
                            ? std::string("runtime error: ") + quorvane_last_error(compiler)
                        : result == QUORVANE_TRUE ? "True"
                                                  : "False";
  transcript += testing::TranscriptResult(name, verdict);
}

// Compiles the FIT file and the script of one mission of the fixture campaign
// with a fresh object into a fresh folder, as the golden test does.
FileSet CompileMission(int16_t mission, const fs::path& output) {
  fs::remove_all(output);
  fs::create_directories(output);
  Host host;
  Handle compiler = Create(host);
  EXPECT_EQ(quorvane_set_creation_date(compiler.get(), testing::kGoldenDate), QUORVANE_OK);
  Database campaign = Fixture("campaign.mdb");
  std::string transcript;
  Record("fit", &quorvane_write_mission_fit_file, compiler.get(), host, output.string(), campaign,
         mission, transcript);
  Record("script", &quorvane_write_mission_script, compiler.get(), host, output.string(), campaign,
         mission, transcript);
  return testing::CompiledFiles(output.string(), transcript);
}

class CInterfaceGoldenTest : public ::testing::TestWithParam<int16_t> {};

TEST_P(CInterfaceGoldenTest, WritesTheExpectedFilesAndMessages) {
  int16_t mission = GetParam();
  FileSet expected = testing::ReadFolder(testing::GoldenFolder(mission));
  ASSERT_FALSE(expected.empty());
  testing::ExpectSameFiles(expected, CompileMission(mission, fs::path(testing::TempDir()) / "out"),
                           "mission " + std::to_string(mission));
}

INSTANTIATE_TEST_SUITE_P(Campaign, CInterfaceGoldenTest,
                         ::testing::ValuesIn(testing::GoldenMissions()));

TEST(CInterfaceTest, TwoObjectsCompileOnTwoThreadsAtOnce) {
  // Each thread compiles its own missions with its own objects, several times
  // over so that the runs overlap; every result must equal the expected files.
  const std::vector<std::vector<int16_t>> per_thread{{1, 12, 105}, {23, 7, 3000}};
  constexpr int kRounds = 3;
  fs::path scratch = testing::TempDir();
  std::vector<std::vector<FileSet>> results(per_thread.size());
  std::vector<std::thread> threads;
  for (size_t t = 0; t < per_thread.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        for (int16_t mission : per_thread[t]) {
          fs::path output = scratch / ("thread" + std::to_string(t)) / std::to_string(mission);
          results[t].push_back(CompileMission(mission, output));
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (size_t t = 0; t < per_thread.size(); ++t) {
    ASSERT_EQ(results[t].size(), per_thread[t].size() * kRounds);
    for (size_t i = 0; i < results[t].size(); ++i) {
      int16_t mission = per_thread[t][i % per_thread[t].size()];
      testing::ExpectSameFiles(
          testing::ReadFolder(testing::GoldenFolder(mission)), results[t][i],
          "thread " + std::to_string(t) + ", mission " + std::to_string(mission));
    }
  }
}

struct Refusal {
  const char* database;
  int16_t mission;
  Operation operation;
  quorvane_status status;
  quorvane_bool result;  // when the status is QUORVANE_OK
  std::vector<Box> boxes;
  const char* reason;  // the run-time error's text, when it is one
};

TEST(CInterfaceTest, RefusalsAndRunTimeErrorsLeaveTheObjectUsable) {
  const Refusal kCases[] = {
      {"broken.mdb",
       206,
       &quorvane_write_mission_fit_file,
       QUORVANE_OK,
       QUORVANE_FALSE,
       {{QUORVANE_MESSAGE_CRITICAL, "Error", "No Dropzones were defined."}},
       ""},
      {"broken.mdb",
       207,
       &quorvane_write_mission_fit_file,
       QUORVANE_OK,
       QUORVANE_FALSE,
       {{QUORVANE_MESSAGE_PLAIN, "", "No Assignments found for Mission 207."}},
       ""},
      {"broken.mdb",
       216,
       &quorvane_write_mission_fit_file,
       QUORVANE_OK,
       QUORVANE_TRUE,
       {{QUORVANE_MESSAGE_PLAIN, "",
         "Both a Mech and Vehicle seem to be assigned to the same warrior. [216]"}},
       ""},
      {"broken.mdb",
       224,
       &quorvane_write_mission_fit_file,
       QUORVANE_RUNTIME_ERROR,
       0,
       {},
       "Invalid use of Null: Mechs.Name, ID 990, while writing the FIT parts section"},
      {"broken.mdb",
       226,
       &quorvane_write_mission_script,
       QUORVANE_RUNTIME_ERROR,
       0,
       {},
       "Invalid use of Null: MissionStructures.Identifier, StructureID 22601, "
       "while writing the structure include"},
      {"missing.mdb",
       1,
       &quorvane_write_mission_script,
       QUORVANE_OK,
       QUORVANE_FALSE,
       {{QUORVANE_MESSAGE_CRITICAL, "Error", "Could not find file '"}},
       ""},
  };
  Host host;
  Handle compiler = Create(host);
  ASSERT_EQ(quorvane_set_creation_date(compiler.get(), testing::kGoldenDate), QUORVANE_OK);
  std::string output = testing::TempDir();
  Database campaign = Fixture("campaign.mdb");
  for (const Refusal& c : kCases) {
    SCOPED_TRACE(std::string(c.database) + " mission " + std::to_string(c.mission));
    Database database = Fixture(c.database);
    host.boxes.clear();
    quorvane_bool result = 1;
    EXPECT_EQ(c.operation(compiler.get(), output.c_str(), database.folder.c_str(),
                          database.name.c_str(), c.mission, &result),
              c.status);
    EXPECT_STREQ(quorvane_last_error(compiler.get()), c.reason);
    if (c.status == QUORVANE_OK) {
      EXPECT_EQ(result, c.result);
    }
    ASSERT_EQ(host.boxes.size(), c.boxes.size());
    for (size_t i = 0; i < c.boxes.size(); ++i) {
      EXPECT_EQ(host.boxes[i].style, c.boxes[i].style);
      EXPECT_EQ(host.boxes[i].title, c.boxes[i].title);
      // The missing file's message names the resolved path after the quote.
      EXPECT_EQ(host.boxes[i].text.rfind(c.boxes[i].text, 0), 0u) << host.boxes[i].text;
    }

    // The same object then compiles a valid mission as if nothing had happened.
    host.boxes.clear();
    result = 0;
    EXPECT_EQ(
        quorvane_write_mission_fit_file(compiler.get(), output.c_str(), campaign.folder.c_str(),
                                        campaign.name.c_str(), 7, &result),
        QUORVANE_OK);
    EXPECT_EQ(result, QUORVANE_TRUE);
    EXPECT_STREQ(quorvane_last_error(compiler.get()), "");
    EXPECT_TRUE(host.boxes.empty());
  }
  EXPECT_EQ(testing::ReadFile(output + "/m0007.FIT"),
            testing::ReadFile(testing::GoldenFolder(7) + "/m0007.FIT"));
}

TEST(CInterfaceTest, LookoutIncludeComesFromTheDatabaseOfTheLastOperation) {
  Host host;
  Handle compiler = Create(host);
  quorvane_bool result = 0;
  std::string lookout = testing::TempDir();
  EXPECT_EQ(
      quorvane_write_lookout_include_file(compiler.get(), 7, (lookout + "/").c_str(), &result),
      QUORVANE_RUNTIME_ERROR);
  EXPECT_STREQ(quorvane_last_error(compiler.get()), "No mission database is open");

  ASSERT_EQ(quorvane_set_creation_date(compiler.get(), testing::kGoldenDate), QUORVANE_OK);
  std::string script = testing::TempDir();
  Database campaign = Fixture("campaign.mdb");
  ASSERT_EQ(quorvane_write_mission_script(compiler.get(), script.c_str(), campaign.folder.c_str(),
                                          campaign.name.c_str(), 7, &result),
            QUORVANE_OK);
  ASSERT_EQ(result, QUORVANE_TRUE);
  result = 0;
  EXPECT_EQ(
      quorvane_write_lookout_include_file(compiler.get(), 7, (lookout + "/").c_str(), &result),
      QUORVANE_OK);
  EXPECT_EQ(result, QUORVANE_TRUE);
  FileSet written = testing::CompiledFiles(lookout, "");
  EXPECT_EQ(written["m0007_LOP.ABI"],
            testing::ReadFile(testing::GoldenFolder(7) + "/m0007_LOP.ABI"));
  EXPECT_TRUE(host.boxes.empty());
}

struct IdentifierCase {
  const char* text;
  size_t size;  // of the buffer, 0 for strlen(text) + 2
  quorvane_status status;
  const char* buffer_after;
  size_t length;
  bool refused;
};

TEST(CInterfaceTest, MakeAblIdentifierFillsTheBufferOrSaysItIsTooSmall) {
  const IdentifierCase kCases[] = {
      {"Power Station", 0, QUORVANE_OK, "_Power_Station", 14, false},
      {"Gate (North)", 0, QUORVANE_OK, "_Gate_North", 11, false},
      {"A:B.C", 0, QUORVANE_OK, "_ABC", 4, false},
      {"", 0, QUORVANE_OK, "_", 1, false},
      {"-5 Gate", 0, QUORVANE_OK, "_5_Gate", 7, false},
      {"3rd Lance", 0, QUORVANE_OK, "3rd Lance", 9, true},
      // "abc" gives "_abc": 4 bytes and the NUL.
      {"abc", 5, QUORVANE_OK, "_abc", 4, false},
      {"abc", 4, QUORVANE_BUFFER_TOO_SMALL, "abc", 4, false},
      {"", 1, QUORVANE_BUFFER_TOO_SMALL, "", 1, false},
      // Removed characters make room: "a.b" gives "_ab".
      {"a.b", 4, QUORVANE_OK, "_ab", 3, false},
  };
  Host host;
  Handle compiler = Create(host);
  for (const IdentifierCase& c : kCases) {
    SCOPED_TRACE(std::string("text '") + c.text + "', buffer " + std::to_string(c.size));
    size_t size = c.size != 0 ? c.size : std::strlen(c.text) + 2;
    std::vector<char> buffer(size + 8, 'X');  // bytes past the buffer must stay untouched
    std::memcpy(buffer.data(), c.text, std::strlen(c.text) + 1);
    host.boxes.clear();
    size_t length = 0;
    EXPECT_EQ(quorvane_make_abl_identifier(compiler.get(), buffer.data(), size, &length), c.status);
    EXPECT_STREQ(buffer.data(), c.buffer_after);
    EXPECT_EQ(length, c.length);
    EXPECT_EQ(std::string(buffer.data() + size, 8), std::string(8, 'X'));
    std::vector<Box> expected;
    if (c.refused) {
      expected.push_back({QUORVANE_MESSAGE_CRITICAL, "Error",
                          std::string("ABL Identifier '") + c.text + "' starts with a number."});
    }
    EXPECT_EQ(host.boxes, expected);
  }
}

// The "Creation Date" line of mission 7's FIT file, compiled with `compiler`.
std::string FitCreationDate(quorvane_compiler* compiler) {
  std::string output = testing::TempDir();
  Database campaign = Fixture("campaign.mdb");
  quorvane_bool result = 0;
  EXPECT_EQ(quorvane_write_mission_fit_file(compiler, output.c_str(), campaign.folder.c_str(),
                                            campaign.name.c_str(), 7, &result),
            QUORVANE_OK);
  std::string fit = testing::ReadFile(output + "/m0007.FIT");
  size_t at = fit.find("Creation Date: ");
  return at == std::string::npos ? "" : fit.substr(at + 15, 10);
}

TEST(CInterfaceTest, HeaderDateIsTheSetOneOrSourceDateEpoch) {
  Host host;
  Handle compiler = Create(host);
  for (const char* wrong : {"2026-02-30", "2026-13-01", "26-01-01", "2026-1-01", "2026/01/01",
                            "2026-01-01 ", "today"}) {
    EXPECT_EQ(quorvane_set_creation_date(compiler.get(), wrong), QUORVANE_INVALID_ARGUMENT)
        << wrong;
  }
  ASSERT_EQ(quorvane_set_creation_date(compiler.get(), "2024-02-29"), QUORVANE_OK);
  EXPECT_EQ(FitCreationDate(compiler.get()), "2024-02-29");

  // 1700000000 s after 1970-01-01 UTC is on 2023-11-14.
  ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "1700000000", 1), 0);
  Handle from_epoch = Create(host);
  EXPECT_EQ(FitCreationDate(from_epoch.get()), "2023-11-14");
  ASSERT_EQ(quorvane_set_creation_date(compiler.get(), nullptr), QUORVANE_OK);
  EXPECT_EQ(FitCreationDate(compiler.get()), "2023-11-14");
  unsetenv("SOURCE_DATE_EPOCH");
}

// The map's text belongs to the object and holds until its next call; a
// missing mission or database still gives a picture, with the database's
// message as the operations give it.
TEST(CInterfaceTest, MissionMapIsTheObjectsTextUntilItsNextCall) {
  Host host;
  Handle compiler = Create(host);
  Database campaign = Fixture("campaign.mdb");
  struct Case {
    Database database;
    int16_t mission;
    std::string shows;
    size_t boxes;
  };
  const Case cases[] = {
      {campaign, 7, "Mission 7: ", 0},
      {campaign, 999, "Mission 999 has no row in NewMissions", 0},
      {{campaign.folder, "missing.mdb"}, 1, "could not be opened", 1},
  };
  for (const Case& c : cases) {
    host.boxes.clear();
    const char* svg = nullptr;
    size_t length = 0;
    ASSERT_EQ(quorvane_render_mission_map(compiler.get(), c.database.folder.c_str(),
                                          c.database.name.c_str(), c.mission, &svg, &length),
              QUORVANE_OK);
    ASSERT_NE(svg, nullptr);
    EXPECT_EQ(std::strlen(svg), length);
    std::string text(svg, length);
    EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_NE(text.find(c.shows), std::string::npos) << c.shows;
    EXPECT_EQ(host.boxes.size(), c.boxes);
  }
}

TEST(CInterfaceTest, NullArgumentsAreRefusedWithoutACall) {
  Host host;
  Handle compiler = Create(host);
  quorvane_bool result = 0;
  char text[8] = "x";
  EXPECT_EQ(quorvane_write_mission_fit_file(nullptr, "", ".", "a.mdb", 1, &result),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_write_mission_fit_file(compiler.get(), nullptr, ".", "a.mdb", 1, &result),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_write_mission_script(compiler.get(), "", ".", "a.mdb", 1, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_write_lookout_include_file(compiler.get(), 1, nullptr, &result),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_make_abl_identifier(compiler.get(), nullptr, 8, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_make_abl_identifier(nullptr, text, sizeof text, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  const char* svg = nullptr;
  EXPECT_EQ(quorvane_render_mission_map(compiler.get(), ".", "a.mdb", 1, nullptr, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_render_mission_map(compiler.get(), nullptr, "a.mdb", 1, &svg, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_EQ(quorvane_render_mission_map(nullptr, ".", "a.mdb", 1, &svg, nullptr),
            QUORVANE_INVALID_ARGUMENT);
  EXPECT_TRUE(host.boxes.empty());
  quorvane_destroy(nullptr);
  EXPECT_STREQ(quorvane_version(), QUORVANE_VERSION);
}

}  // namespace
}  // namespace quorvane
