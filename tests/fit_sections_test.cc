// Focused checks of FIT sections written from the campaign missions and from
// variants of them: the section order of each kind of mission, value forms,
// force groups, trains and elemental carriers.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "compiler/write_quorvane.h"
#include "support/fixtures.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// A FIT file split into its sections: the lines after each section line up
// to the next section line ("" holds the lines before the first section);
// the closing FITend belongs to no section.
struct FitFile {
  std::vector<std::string> order;  // section lines in file order
  std::map<std::string, std::vector<std::string>> sections;
  bool ended = false;  // the last line is FITend
};

FitFile ReadFit(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  FitFile fit;
  std::string current;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) throw std::runtime_error("a line without CR LF");
    std::string line = text.substr(start, end - start);
    start = end + 2;
    fit.ended = line == "FITend";
    if (fit.ended) continue;
    if (line.starts_with("[")) {
      current = line;
      fit.order.push_back(line);
      fit.sections[current];
    } else {
      fit.sections[current].push_back(line);
    }
  }
  return fit;
}

struct Compiled {
  bool result;
  std::vector<std::string> messages;
  FitFile fit;
};

Compiled Compile(const std::string& database, int16_t mission, const std::string& file_name) {
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-12-06");
  std::string output = testing::TempDir();
  std::string folder = fs::path(database).parent_path().string();
  std::string name = fs::path(database).filename().string();
  bool result = compiler.WriteMissionFITFile(output, folder, name, mission);
  return {result, sink.texts(), ReadFit(fs::path(output) / file_name)};
}

// A copy of the campaign database with some rows changed.
std::string CampaignVariant(const std::string& sql) {
  fs::path copy = fs::path(testing::TempDir()) / "campaign_variant.sqlite";
  fs::copy_file(testing::SqliteFixture("campaign"), copy);
  sqlite3* db = nullptr;
  sqlite3_open(copy.c_str(), &db);
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(message);
  return copy.string();
}

const Compiled& Campaign(int16_t mission, const std::string& file_name) {
  static std::map<int16_t, Compiled> compiled;
  auto it = compiled.find(mission);
  if (it == compiled.end()) {
    it = compiled.emplace(mission, Compile(testing::SqliteFixture("campaign"), mission, file_name))
             .first;
  }
  return it->second;
}

const Compiled& Mission7() { return Campaign(7, "m0007.FIT"); }
const Compiled& Mission12() { return Campaign(12, "m0012.FIT"); }
const Compiled& Mission23() { return Campaign(23, "mp_border.FIT"); }
const Compiled& Mission105() { return Campaign(105, "m0105.FIT"); }

// Section lines in order, numbered sections of a kind shown once.
std::vector<std::string> SectionKinds(const FitFile& fit) {
  std::vector<std::string> kinds;
  for (std::string section : fit.order) {
    section = section.substr(0, section.find(']') + 1);
    size_t digit = section.find_first_of("0123456789");
    if (digit != std::string::npos) section = section.substr(0, digit) + "n]";
    if (kinds.empty() || kinds.back() != section) kinds.push_back(section);
  }
  return kinds;
}

const std::vector<std::string> kEngineSections = {"[Output]",
                                                  "[GameScale]",
                                                  "[Artillery]",
                                                  "[ElementSystem]",
                                                  "[CraterSystem]",
                                                  "[ContactManager]",
                                                  "[PotentialContactManager]",
                                                  "[Smoke Manager]",
                                                  "[Smoken]",
                                                  "[CameraSystem]",
                                                  "[ObjectSystem]",
                                                  "[SpriteSystem]",
                                                  "[SpriteManager]",
                                                  "[TerrainSystem]",
                                                  "[PaletteSystem]",
                                                  "[Music]",
                                                  "[CollisionSystem]",
                                                  "[SensorContactShape]",
                                                  "[ABLibraries]",
                                                  "[Script]",
                                                  "[StatusWindow]"};

std::vector<std::string> Concat(std::vector<std::string> head,
                                const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(FitSectionsTest, EachKindOfMissionHasItsSections) {
  std::vector<std::string> single = Concat(
      kEngineSections, {"[Campaign]", "[DropZonen]", "[Objectives]", "[Objectiven]", "[Warriors]",
                        "[Warriorn]", "[Parts]", "[Partn]", "[Teams]", "[Commandern]", "[Trains]",
                        "[Trainn]", "[Elemental Carriers]", "[ECarriern]"});
  EXPECT_EQ(SectionKinds(Mission7().fit), single);
  EXPECT_TRUE(Mission7().fit.ended);

  std::vector<std::string> multiplayer = kEngineSections;
  multiplayer.insert(multiplayer.begin() + 3, {"[ISArtillery]", "[ClanArtillery]"});
  multiplayer =
      Concat(multiplayer, {"[Teams]", "[DropZonen]", "[Objectives]", "[Objectiven]", "[Campaign]"});
  EXPECT_EQ(SectionKinds(Mission23().fit), multiplayer);
  EXPECT_TRUE(Mission23().fit.ended);
  EXPECT_EQ(Mission23().fit.sections.at("[Campaign]").back(), "l MaxTonnage = 400");

  // A Null Multiplayer field is neither kind: no campaign, teams or units.
  Compiled neither = Compile(testing::SqliteFixture("nullflags"), 501, "n0501.FIT");
  EXPECT_TRUE(neither.result);
  EXPECT_EQ(SectionKinds(neither.fit),
            Concat(kEngineSections, {"[DropZonen]", "[Objectives]", "[Objectiven]"}));
  EXPECT_TRUE(neither.fit.ended);
}

struct LineCase {
  const char* what;
  const Compiled& (*mission)();
  std::string section;
  std::string line;
};

TEST(FitSectionsTest, LinesCarryTheirValuesInTheirForm) {
  const LineCase cases[] = {
      {"printed strike count", Mission23, "[ClanArtillery]", "l NumLargeStrikes =  3 "},
      {"joined drop-zone position", Mission7, "[DropZone1]", "f PositionX = 220.5"},
      {"joined offset of a fractional spacing", Mission7, "[DropZone2]", "f OffsetX2 = 213"},
      {"joined time limit without blank", Mission7, "[Objectives]", "l TimeLeft =2700"},
      {"printed negative type", Mission7, "[Objective8]",
       "ul Type =-1                                                      "
       "//Types are 0=primary, 1=secondary, 2=other, -1=invisible"},
      {"printed fraction of a time", Mission7, "[Objective4]",
       "f TimeLeft =  2400.5                                        "
       "//Time to accomplish objective.  -1.0 means forever"},
      {"printed warrior count", Mission7, "[Warriors]", "ul NumWarriors = 22 "},
      {"printed fractional position", Mission7, "[Part1]", "f PositionY             =  350.25 "},
      {"printed negative rotation", Mission7, "[Part1]",
       "f Rotation              = -45               // Rotation of Object in Degrees"},
      {"absolute value of a Yes", Mission7, "[Part1]", "l Active                =  1 "},
      {"absolute value of a No", Mission7, "[Part15]", "l Active                =  0 "},
      {"stored 1 in a Yes/No field", Mission12, "[Part1]", "l Exists                =  1 "},
      {"truth item", Mission7, "[Parts]", "b AlliedTeam = True"},
      {"multiplayer briefing per side", Mission23, "[Campaign]",
       "st ClanBriefingFile = \"brief_borderC\""},
      {"garotte palette", Mission23, "[PaletteSystem]", "st PaletteSystem = \"palettex\""},
      {"pilot of a mission without piloted train cars", Mission12, "[Part12]",
       "ul Pilot                = 12 "},
      {"warriors leave out the piloted train engine", Mission105, "[Warriors]",
       "ul NumWarriors = 12 "},
      {"pilot less the piloted train cars", Mission105, "[Part1]", "ul Pilot                = 0 "},
  };
  for (const LineCase& c : cases) {
    const FitFile& fit = c.mission().fit;
    ASSERT_TRUE(fit.sections.contains(c.section)) << c.what;
    const std::vector<std::string>& lines = fit.sections.at(c.section);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end())
        << c.what << ": " << c.line;
  }
}

TEST(FitSectionsTest, ForceGroupsListTwelveMates) {
  const auto& sections = Mission12().fit.sections;
  // Exactly twelve mates fill the line without empty slots.
  EXPECT_EQ(sections.at("[Commander1Group:0]"),
            (std::vector<std::string>{
                "l[12] Mates             = 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23", ""}));
  // Group 3 is missing: group 4 follows group 2 under its own number.
  EXPECT_EQ(sections.at("[Commander1Group:3]"),
            (std::vector<std::string>{
                "l[12] Mates             = 30, 31, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0", ""}));
  EXPECT_FALSE(sections.contains("[Commander1Group:2]"));
  // Allied groups follow when an allied unit has a warrior.
  EXPECT_TRUE(sections.contains("[Commander2Group:1]"));
}

TEST(FitSectionsTest, TrainsKeepTheirNumbersAcrossGaps) {
  const auto& sections = Mission7().fit.sections;
  EXPECT_EQ(sections.at("[Trains]"), (std::vector<std::string>{"l NumTrains             = 3", ""}));
  EXPECT_EQ(sections.at("[Train0]"), (std::vector<std::string>{"l Numcars = 3", "l Car0 = 24",
                                                               "l Car1 = 25", "l Car2 = 26", ""}));
  EXPECT_EQ(sections.at("[Train1]"), (std::vector<std::string>{"l Numcars = 0", ""}));
  EXPECT_EQ(sections.at("[Train2]"),
            (std::vector<std::string>{"l Numcars = 2", "l Car0 = 27", "l Car1 = 28", ""}));
}

TEST(FitSectionsTest, TrainCarsOutsideATrainGiveNoTrainsSection) {
  Compiled only_yard = Compile(CampaignVariant("UPDATE MissionAssignments SET ForceGroup = 0 "
                                               "WHERE MissionID = 7 AND Alignment = 'aTrain';"),
                               7, "m0007.FIT");
  EXPECT_TRUE(only_yard.result);
  EXPECT_FALSE(only_yard.fit.sections.contains("[Trains]"));
  EXPECT_TRUE(only_yard.fit.sections.contains("[Elemental Carriers]"));
}

TEST(FitSectionsTest, CarriersListTheElementalsPlacedAtTheirNumber) {
  const auto& sections = Mission7().fit.sections;
  EXPECT_EQ(sections.at("[Elemental Carriers]"),
            (std::vector<std::string>{"l Carriers =  2 ", ""}));
  // The stray at (3, 3) and the non-elemental at (1, 1) are listed nowhere.
  EXPECT_EQ(sections.at("[ECarrier0]"),
            (std::vector<std::string>{"l Carrier =  13 ", "l Elemental0 = 16", "l Elemental1 = 17",
                                      "l Elemental2 = 18", ""}));
  EXPECT_EQ(
      sections.at("[ECarrier1]"),
      (std::vector<std::string>{"l Carrier =  14 ", "l Elemental0 = 19", "l Elemental1 = 20", ""}));

  Compiled empty_carriers =
      Compile(CampaignVariant("UPDATE MissionAssignments SET XCoordinate = 9, YCoordinate = 9 "
                              "WHERE MissionID = 7 AND VehicleID IN (112, 113);"),
              7, "m0007.FIT");
  EXPECT_EQ(empty_carriers.fit.sections.at("[ECarrier0]"),
            (std::vector<std::string>{"l Carrier =  13 ", ""}));
  EXPECT_EQ(empty_carriers.fit.sections.at("[ECarrier1]"),
            (std::vector<std::string>{"l Carrier =  14 ", ""}));
  EXPECT_TRUE(empty_carriers.fit.ended);
}

// One compiler object keeps its tables and work values between builds; a
// later build must not see anything of an earlier one.
TEST(FitSectionsTest, BuildsInTurnOnOneObjectDoNotLeakIntoEachOther) {
  std::string database = testing::SqliteFixture("campaign");
  std::string folder = fs::path(database).parent_path().string();
  std::string name = fs::path(database).filename().string();
  RecordingSink sink;
  WriteQuorvane compiler(sink);
  compiler.set_creation_date("2026-12-06");
  std::string output = testing::TempDir();
  auto build = [&](int16_t mission, const std::string& file_name) {
    EXPECT_TRUE(compiler.WriteMissionFITFile(output, folder, name, mission)) << mission;
    return ReadFit(fs::path(output) / file_name).sections;
  };
  const std::pair<int16_t, const char*> earlier[] = {
      {7, "m0007.FIT"}, {23, "mp_border.FIT"}, {1, "m0001.FIT"}, {3000, "m3000.abl.FIT"}};
  for (const auto& [mission, file_name] : earlier) build(mission, file_name);
  EXPECT_EQ(build(7, "m0007.FIT"), Mission7().fit.sections);
  EXPECT_EQ(build(12, "m0012.FIT"), Mission12().fit.sections);
}

}  // namespace
}  // namespace quorvane
