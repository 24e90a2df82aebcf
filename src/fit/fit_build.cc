#include "fit/fit_build.h"

#include "run/mission_kind.h"
#include "run/run_state.h"
#include "fit/fit_state.h"

namespace quorvane {

FitBuild::FitBuild(RunState& run_in, FitState& fit_in)
    : run(run_in), fit(fit_in), mission_text(std::to_string(run_in.mission)) {}

const Variant& FitBuild::Mission(std::string_view field) const {
  return mission_record->Field(field);
}

MissionKind FitBuild::Kind() const {
  return DecideMissionKind(Mission("Multiplayer"), MultiplayerTest::kByNumber);
}

std::string FitBuild::MissionCriteria() const { return "[MissionID] = " + mission_text; }

db::Recordset& FitBuild::MechTypes() const { return *fit.mech_types; }
db::Recordset& FitBuild::VehicleTypes() const { return *fit.vehicle_types; }
db::Recordset& FitBuild::WarriorTable() const { return *fit.warrior_table; }
Variant& FitBuild::WorkValueA() const { return fit.work_value_a; }
Variant& FitBuild::WorkValueB() const { return fit.work_value_b; }

void FitBuild::Write(std::string_view line) const { run.files[FileRole::kMain].WriteLine(line); }

std::string Quoted(std::string_view text) {
  std::string quoted(kQuoteMark);
  quoted += text;
  quoted += kQuoteMark;
  return quoted;
}

}  // namespace quorvane
