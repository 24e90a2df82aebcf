// Designer texts that change the meaning of the line they are written in (a
// line break, a double quote inside a quoted string, a character without a
// Windows-1252 form) are written as the design writes them, and each is
// noted once per operation with its file, table, field and row.
#include <gtest/gtest.h>

#include <string>

#include "support/command.h"
#include "support/files.h"
#include "support/fixtures.h"
#include "support/scale_mission.h"

namespace quorvane {
namespace {

using testing::RunQuorvane;

TEST(DesignerTextTest, TextsThatChangeTheirLinesAreWrittenAsTheyAreAndNoted) {
  std::string database = testing::WriteScaleCampaign(testing::TempDir() + "/texts.sqlite",
                                                     {.missions = 1, .units = 24});
  testing::SqliteDatabase(database,
                          "UPDATE NewMissions SET MissionName = 'Dawn' || char(13, 10) || 'Raid';\n"
                          "UPDATE Objectives SET Description = 'Hold the \"Gate\"' "
                          "WHERE rowid = (SELECT min(rowid) FROM Objectives);\n"
                          "UPDATE Objectives SET Description = 'Open the gate \xF0\x9F\x9A\xAA' "
                          "WHERE rowid = (SELECT max(rowid) FROM Objectives);\n");
  std::string output = testing::TempDir();
  auto result = RunQuorvane("build " + database + " 1 --date 2026-01-01 -o " + output);
  const std::string name =
      "the text of NewMissions.MissionName, MissionID 1 holds a line break, "
      "which starts a new line there\n";
  EXPECT_EQ(result.output,
            "quorvane: mission 1: note: scale1.FIT: " + name +
                "quorvane: mission 1: note: scale1.FIT: the text of Objectives.Description, "
                "ObjectiveID 10 holds a \" that ends the quoted string it is written in\n"
                "quorvane: mission 1: note: scale1.FIT: the text of Objectives.Description, "
                "ObjectiveID 15 holds the character \xF0\x9F\x9A\xAA, which has no Windows-1252 "
                "form and is written as ?\n"
                "quorvane: mission 1: note: scale1_VAR.ABI: " +
                name);
  EXPECT_EQ(result.status, 0);
  std::string fit = testing::ReadFile(output + "/scale1.FIT");
  EXPECT_NE(fit.find("st Name = \"Hold the \"Gate\"\"\r\n"), std::string::npos);
  EXPECT_NE(fit.find("st Name = \"Open the gate ?\"\r\n"), std::string::npos);
  std::string script = testing::ReadFile(output + "/scale1.ABL");
  EXPECT_NE(script.find("Dawn\r\nRaid"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
