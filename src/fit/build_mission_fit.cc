#include "fit/build_mission_fit.h"

#include "database/session.h"
#include "fit/campaign_sections.h"
#include "fit/commander_groups.h"
#include "fit/drop_zones.h"
#include "fit/engine_sections.h"
#include "fit/fit_build.h"
#include "fit/fit_checks.h"
#include "fit/objective_sections.h"
#include "fit/part_sections.h"
#include "fit/train_sections.h"
#include "fit/warrior_sections.h"

namespace quorvane {
namespace {

// Creates the FIT file: the output folder, the mission's file name and ".FIT".
void CreateFitFile(const FitBuild& build) {
  build.session.files[FileRole::kMain].Create(
      build.session.output_folder + JoinedForm(build.Mission("MissionFileName")) + ".FIT");
}

// The warriors, parts, force groups, trains and carriers of a single-player
// mission. False when a force group has too many units.
bool WriteUnitSections(FitBuild& build) {
  WriteWarriorSections(build);
  WritePartSections(build);
  if (!WriteCommanderGroups(build)) return false;
  WriteTrainSections(build);
  WriteCarrierSections(build);
  return true;
}

}  // namespace

bool BuildMissionFit(Session& session, FitState& fit, int16_t mission) {
  FitBuild build(session, fit, mission);
  if (!CheckMissionData(build)) return false;
  CreateFitFile(build);
  WriteFitHead(build);
  WriteEngineSections(build);
  if (build.IsSinglePlayer()) {
    WriteCampaignSection(build);
  } else {
    CountDropZones(build);
  }
  WriteDropZoneSections(build);
  WriteObjectiveSections(build);
  if (build.IsMultiplayer()) WriteMultiplayerCampaignSection(build);
  if (build.IsSinglePlayer() && !WriteUnitSections(build)) return false;
  build.Write("FITend");
  session.files[FileRole::kMain].Close();
  return true;
}

}  // namespace quorvane
