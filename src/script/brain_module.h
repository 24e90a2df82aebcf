#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/brain_text.h"
#include "script/script_session.h"

namespace quorvane {

// The mission brain module being written: the open module file and what the
// passages of the module share.
struct BrainModule {
  ScriptSession& session;
  OutputFile& file;
  int16_t mission;
  // Multiplayer is True: every multiplayer passage but the force-dead failing.
  bool multiplayer;
  // Multiplayer is False: the single-player form of the force-dead failing
  // (a Null Multiplayer gets the multiplayer form there, and only there).
  bool single_player_failing;
  // Objectives of the mission and of the Clan side. The Inner Sphere
  // objectives come first in objective order, the Clan objectives after them.
  int16_t objective_count = 0;
  int16_t clan_objective_count = 0;

  int16_t inner_sphere_objective_count() const {
    return static_cast<int16_t>(objective_count - clan_objective_count);
  }
  db::Recordset& objectives() const { return *session.script.objective_records; }

  void Write(std::string_view line) const { file.WriteLine(line); }
  void Write(brain_text::TextLines lines) const {
    for (std::string_view line : lines) file.WriteLine(line);
  }
};

// Tests on the current objective row. A Null counts as unequal in each.
bool IsClanObjective(const db::Recordset& objectives);     // Alignment = 1
bool IsPrimaryObjective(const db::Recordset& objectives);  // Priority = 0

// The criteria text "[MissionID] = <mission>".
std::string MissionCriteria(int16_t mission);

// The passages of the module after the force checks, in module order.
void WriteForceDeadFailing(const BrainModule& module);
void WriteObjectiveResolution(const BrainModule& module);
void WriteAllDecidedTests(const BrainModule& module);
void WriteScenarioEnd(const BrainModule& module);

}  // namespace quorvane
