#include "fit/build_mission_fit.h"

#include "run/run_state.h"
#include "run/step_context.h"
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
#include "platform/output_name.h"

namespace quorvane {
namespace {

// Creates the FIT file: the output folder, the mission's file name and ".FIT".
void CreateFitFile(const FitBuild& build) {
  build.run.files[FileRole::kMain].Create(build.run.output_folder +
                                          JoinedForm(build.Mission("MissionFileName")) + ".FIT");
}

// The warriors, parts, force groups, trains and carriers of a single-player
// mission. False when a force group has too many units.
bool WriteUnitSections(FitBuild& build) {
  const RunState& run = build.run;
  RunStep(run, "writing the FIT warriors section", [&] { WriteWarriorSections(build); });
  RunStep(run, "writing the FIT parts section", [&] { WritePartSections(build); });
  if (!RunStep(run, "writing the FIT commander groups",
               [&] { return WriteCommanderGroups(build); })) {
    return false;
  }
  RunStep(run, "writing the FIT trains section", [&] { WriteTrainSections(build); });
  RunStep(run, "writing the FIT carriers section", [&] { WriteCarrierSections(build); });
  return true;
}

// The FIT file from its head to the objectives and, in a multiplayer mission,
// its campaign section.
void WriteMissionSections(FitBuild& build) {
  const RunState& run = build.run;
  RunStep(run, "writing the FIT head and engine sections", [&] {
    CreateFitFile(build);
    WriteFitHead(build);
    WriteEngineSections(build);
  });
  RunStep(run, "writing the FIT campaign section", [&] {
    if (build.IsSinglePlayer()) {
      WriteCampaignSection(build);
    } else {
      CountDropZones(build);
    }
  });
  RunStep(run, "writing the FIT drop zone sections", [&] { WriteDropZoneSections(build); });
  RunStep(run, "writing the FIT objectives section", [&] { WriteObjectiveSections(build); });
  if (build.IsMultiplayer()) {
    RunStep(run, "writing the FIT multiplayer campaign section",
            [&] { WriteMultiplayerCampaignSection(build); });
  }
}

}  // namespace

bool BuildMissionFit(RunState& run, FitState& fit) {
  FitBuild build(run, fit);
  if (!RunStep(run, "checking the mission data", [&] { return CheckMissionData(build); })) {
    return false;
  }
  if (!CheckMissionFileName(run.messages, JoinedForm(build.Mission("MissionFileName")))) {
    return false;
  }
  WriteMissionSections(build);
  if (build.IsSinglePlayer() && !WriteUnitSections(build)) return false;
  RunStep(run, "finishing the FIT file", [&] {
    build.Write("FITend");
    run.files[FileRole::kMain].Close();
  });
  return true;
}

}  // namespace quorvane
