// The C++ header quorvane/compiler.h over the shared library: results,
// messages, CompileError, a throwing message handler, moves.

#include "quorvane/compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/fixtures.h"
#include "support/golden_files.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

struct Shown {
  MessageStyle style;
  std::string title;
  std::string text;
  bool operator==(const Shown&) const = default;
};

class CppInterfaceTest : public ::testing::Test {
 protected:
  CppInterfaceTest()
      : compiler_([this](MessageStyle style, std::string_view title, std::string_view text) {
          shown_.push_back({style, std::string(title), std::string(text)});
        }) {
    compiler_.SetCreationDate(testing::kGoldenDate);
  }

  std::string Data(const char* name) const {
    return fs::path(testing::FixturePath(name)).parent_path().string();
  }

  std::vector<Shown> shown_;
  Compiler compiler_;
  std::string output_ = testing::TempDir();
};

TEST_F(CppInterfaceTest, OperationsTakeTemporariesAndGiveTheExpectedFiles) {
  EXPECT_TRUE(compiler_.WriteMissionFITFile(std::string(output_), Data("campaign.mdb"),
                                            std::string("campaign.mdb"), 3000));
  EXPECT_TRUE(compiler_.WriteMissionScript(output_, Data("campaign.mdb"), "campaign.mdb", 3000));
  const std::vector<Shown> expected{
      {MessageStyle::kPlain, "", "Briefing File name not specified."},
      {MessageStyle::kPlain, "", "Briefing Map name not specified."},
      {MessageStyle::kPlain, "", "Player Tonnage Limit not specified.  Assuming 1200 ..."},
  };
  EXPECT_EQ(shown_, expected);
  testing::FileSet golden = testing::ReadFolder(testing::GoldenFolder(3000));
  testing::FileSet written = testing::CompiledFiles(output_, "");
  golden.erase("messages.txt");
  written.erase("messages.txt");
  testing::ExpectSameFiles(golden, written, "mission 3000");
}

// The map holds NUL-free UTF-8 text of its own length, also for a mission
// the database does not hold.
TEST_F(CppInterfaceTest, MissionMapIsTheWholeSvgText) {
  for (int16_t mission : {7, 999}) {
    std::string svg = compiler_.MissionMap(Data("campaign.mdb"), "campaign.mdb", mission);
    EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "));
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
    EXPECT_EQ(svg.find('\0'), std::string::npos);
    EXPECT_NE(svg.find("data-mission=\"" + std::to_string(mission) + "\""), std::string::npos);
  }
  EXPECT_TRUE(shown_.empty());
}

TEST_F(CppInterfaceTest, RunTimeErrorIsACompileErrorAndTheObjectGoesOn) {
  try {
    compiler_.WriteMissionFITFile(output_, Data("broken.mdb"), "broken.mdb", 224);
    ADD_FAILURE() << "no CompileError";
  } catch (const CompileError& error) {
    EXPECT_STREQ(error.what(),
                 "Invalid use of Null: Mechs.Name, ID 990, while writing the FIT parts section");
  }
  EXPECT_FALSE(compiler_.WriteMissionFITFile(output_, Data("broken.mdb"), "broken.mdb", 206));
  EXPECT_EQ(shown_,
            (std::vector<Shown>{{MessageStyle::kCritical, "Error", "No Dropzones were defined."}}));
  EXPECT_TRUE(compiler_.WriteMissionFITFile(output_, Data("campaign.mdb"), "campaign.mdb", 7));
}

TEST_F(CppInterfaceTest, HandlerExceptionComesOutAfterTheOperationEnds) {
  Compiler throwing([](MessageStyle, std::string_view, std::string_view text) {
    throw std::runtime_error(std::string(text));
  });
  throwing.SetCreationDate(testing::kGoldenDate);
  try {
    throwing.WriteMissionFITFile(output_, Data("campaign.mdb"), "campaign.mdb", 3000);
    ADD_FAILURE() << "the handler's exception was lost";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Briefing File name not specified.");
  }
  // The operation ran to its end: the FIT file is complete.
  EXPECT_EQ(testing::ReadFile(output_ + "/m3000.abl.FIT"),
            testing::ReadFile(testing::GoldenFolder(3000) + "/m3000.abl.FIT"));
  EXPECT_TRUE(throwing.WriteMissionFITFile(output_, Data("campaign.mdb"), "campaign.mdb", 7));
}

TEST_F(CppInterfaceTest, IdentifierDateAndMove) {
  EXPECT_EQ(compiler_.MakeAblIdentifier("Gate (North)"), "_Gate_North");
  EXPECT_EQ(compiler_.MakeAblIdentifier(std::string(300, ' ')), "_" + std::string(300, '_'));
  EXPECT_TRUE(shown_.empty());
  EXPECT_EQ(compiler_.MakeAblIdentifier("12 Gate"), "12 Gate");
  EXPECT_EQ(shown_, (std::vector<Shown>{{MessageStyle::kCritical, "Error",
                                         "ABL Identifier '12 Gate' starts with a number."}}));
  EXPECT_THROW(compiler_.MakeAblIdentifier(std::string_view("a\0b", 3)), std::invalid_argument);
  EXPECT_THROW(compiler_.SetCreationDate("2026-02-29"), std::invalid_argument);

  Compiler moved(std::move(compiler_));
  EXPECT_EQ(moved.MakeAblIdentifier("a b"), "_a_b");
  EXPECT_STREQ(Compiler::Version(), QUORVANE_VERSION);
}

}  // namespace
}  // namespace quorvane
