#include "fit/fit_checks.h"

#include "run/run_state.h"
#include "fit/fit_build.h"
#include "fit/fit_state.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

// Exactly one NewMissions row must carry the mission number.
bool CheckMissionRecord(FitBuild& build) {
  build.mission_record = build.run.database->OpenRecordset(
      "SELECT * FROM [NewMissions] WHERE [MissionID] = " + build.mission_text);
  if (!build.mission_record->Eof()) build.mission_record->MoveLast();
  if (build.mission_record->RecordCount() != 1) {
    build.run.messages.Error("Incorrect record count in NewMissions table.");
    return false;
  }
  return true;
}

// A single-player mission needs at least one unit; the record set stays on it.
bool CheckAssignmentsExist(FitBuild& build) {
  if (!build.IsSinglePlayer()) return true;
  build.assignments = build.run.database->OpenRecordset(
      "SELECT * FROM [MissionAssignments] WHERE [MissionID] = " + build.mission_text +
      " ORDER BY [ALIGNMENT] DESC, [FORCEGROUP] ASC, [Role] ASC");
  build.assignments->FindFirst(build.MissionCriteria());
  if (build.assignments->NoMatch()) {
    build.run.messages.Notice("No Assignments found for Mission " + build.mission_text + ".");
    return false;
  }
  return true;
}

// One objective at least, two for a multiplayer mission (one per side).
bool CheckObjectiveCount(FitBuild& build) {
  build.objectives = build.run.database->OpenRecordset(
      "SELECT * FROM [Objectives] WHERE [MissionID] = " + build.mission_text +
      " ORDER BY [Alignment] DESC, [Objective] ASC");
  if (!build.objectives->Eof()) build.objectives->MoveLast();
  int32_t needed = build.IsMultiplayer() ? 2 : 1;
  if (build.objectives->RecordCount() < needed) {
    build.run.messages.Error("Incorrect number of objectives.");
    return false;
  }
  return true;
}

// At least one drop zone; exactly six unless the mission is single-player.
bool CheckDropZoneCount(FitBuild& build) {
  build.drop_zones = build.run.database->OpenRecordset(
      "SELECT * FROM [PlayerEntryPoints] WHERE [MissionID] = " + build.mission_text);
  if (build.drop_zones->RecordCount() < 1) {
    build.run.messages.Error("No Dropzones were defined.");
    return false;
  }
  build.drop_zones->MoveLast();
  if (!build.IsSinglePlayer() && build.drop_zones->RecordCount() != 6) {
    build.run.messages.Error("Incorrect number of drop zones (must be 6).");
    return false;
  }
  return true;
}

// The unit's warrior: counted when it exists in NewMW; a train car's warrior
// only counts as a piloted train car. Only a train car may have none.
bool CheckWarrior(FitBuild& build) {
  const db::Recordset& unit = *build.assignments;
  const Variant& mwid = unit.Field("MWID");
  const Variant& alignment = unit.Field("Alignment");
  if (IsNotZero(mwid)) {
    if (DiffersFromText(alignment, "aTrain")) {
      if (EqualsText(alignment, "Other")) build.allied_team = true;
      build.WarriorTable().FindFirst("[MWID] = " + JoinedForm(mwid));
      if (build.WarriorTable().NoMatch()) {
        build.run.messages.Notice("MWID " + JoinedForm(mwid) + " not found in database. [" +
                                  build.mission_text + "]");
        return false;
      }
      build.warrior_count = CheckedLong(int64_t{build.warrior_count} + 1);
    }
    if (EqualsText(alignment, "aTrain")) {
      build.piloted_train_count = CheckedInteger(int64_t{build.piloted_train_count} + 1);
    }
  } else if (DiffersFromText(alignment, "aTrain")) {
    build.run.messages.Notice("MWID cannot be Zero. [" + build.mission_text + "]");
    return false;
  }
  return true;
}

// The unit's mech or vehicle type must exist. A unit with both only draws a
// warning; a vehicle ID of zero is not looked up.
bool CheckUnitType(FitBuild& build) {
  const db::Recordset& unit = *build.assignments;
  const Variant& mech_id = unit.Field("MechID");
  const Variant& vehicle_id = unit.Field("VehicleID");
  const std::string bracket = " [" + build.mission_text + "]";
  if (!mech_id.IsNull()) {
    if (EqualsNumber(mech_id, 0)) {
      build.run.messages.Notice("MechID cannot be Zero." + bracket);
      return false;
    }
    build.MechTypes().FindFirst("[ID] = " + JoinedForm(mech_id));
    if (build.MechTypes().NoMatch()) {
      build.run.messages.Notice("MechID " + JoinedForm(mech_id) + " not found in database." +
                                bracket);
      return false;
    }
    if (!vehicle_id.IsNull() && !EqualsNumber(vehicle_id, 0)) {
      build.run.messages.Notice("Both a Mech and Vehicle seem to be assigned to the same warrior." +
                                bracket);
    }
    return true;
  }
  if (vehicle_id.IsNull()) {
    build.run.messages.Notice("No MechID or VehicleID has been assigned." + bracket);
    return false;
  }
  if (!EqualsNumber(vehicle_id, 0)) {
    build.VehicleTypes().FindFirst("[VehicleID] = " + JoinedForm(vehicle_id));
    if (build.VehicleTypes().NoMatch()) {
      build.run.messages.Notice("VehicleID " + JoinedForm(vehicle_id) + " not found in database." +
                                bracket);
      return false;
    }
  }
  return true;
}

// Walks every unit of a single-player mission from the row found by
// CheckAssignmentsExist, checking and counting it.
bool WalkAssignments(FitBuild& build) {
  if (!build.IsSinglePlayer()) return true;
  db::Database& database = *build.run.database;
  build.fit.mech_types = database.OpenRecordset("Mechs");
  build.fit.vehicle_types = database.OpenRecordset("Vehicles");
  build.fit.warrior_table = database.OpenRecordset("NewMW");
  build.warrior_count = 0;
  build.part_count = 0;
  const std::string criteria = build.MissionCriteria();
  while (!build.assignments->NoMatch()) {
    if (!CheckWarrior(build) || !CheckUnitType(build)) return false;
    build.part_count = CheckedLong(int64_t{build.part_count} + 1);
    build.assignments->FindNext(criteria);
  }
  return true;
}

}  // namespace

bool CheckMissionData(FitBuild& build) {
  return CheckMissionRecord(build) && CheckAssignmentsExist(build) && CheckObjectiveCount(build) &&
         CheckDropZoneCount(build) && WalkAssignments(build);
}

}  // namespace quorvane
