#include "fit/campaign_sections.h"

#include <string>

#include "run/run_state.h"
#include "fit/drop_zones.h"
#include "fit/fit_build.h"

namespace quorvane {
namespace {

// A quoted file name, or a quoted blank after warning that it is missing.
std::string QuotedFileName(const FitBuild& build, const char* field, const char* missing) {
  const Variant& name = build.Mission(field);
  if (!name.IsNull()) return Quoted(PrintedForm(name));
  build.run.messages.Notice(missing);
  return Quoted(" ");
}

void WriteMapFileLine(const FitBuild& build) {
  build.Write("st MapFile = " +
              QuotedFileName(build, "TerrainFileName", "Briefing Map name not specified."));
}

// The player's tonnage limit; 1200 when the mission sets none.
void WriteMaxTonnageLine(const FitBuild& build) {
  const Variant& limit = build.Mission("PlayerForceLimit");
  if (!limit.IsNull()) {
    build.Write("l MaxTonnage = " + JoinedForm(limit));
    return;
  }
  build.run.messages.Notice("Player Tonnage Limit not specified.  Assuming 1200 ...");
  build.Write("l MaxTonnage = 1200");
}

}  // namespace

void WriteCampaignSection(FitBuild& build) {
  build.Write("[Campaign]");
  build.Write("st BriefingFile = " +
              QuotedFileName(build, "BriefingFileName", "Briefing File name not specified."));
  WriteMapFileLine(build);
  WriteMaxTonnageLine(build);
  CountDropZones(build);
  build.Write("l NumDropZones = " + std::to_string(build.drop_zone_count));
  build.Write();
}

void WriteMultiplayerCampaignSection(const FitBuild& build) {
  build.Write("[Campaign]");
  build.Write("l NumDropZones = " + std::to_string(build.drop_zone_count));
  const Variant& briefing = build.Mission("BriefingFileName");
  if (briefing.IsNull()) {
    build.run.messages.Notice("Briefing File name not specified.");
  } else {
    build.Write("st ISBriefingFile = " + Quoted(JoinedForm(briefing) + "IS"));
    build.Write("st ClanBriefingFile = " + Quoted(JoinedForm(briefing) + "C"));
  }
  WriteMapFileLine(build);
  WriteMaxTonnageLine(build);
}

}  // namespace quorvane
