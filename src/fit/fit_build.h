#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/database.h"
#include "platform/variant.h"
#include "run/mission_kind.h"

namespace quorvane {

struct RunState;
struct FitState;
class OutputFile;

// Everything one FIT build shares between its checks and its sections: the
// mission's record sets, the values gathered by the assignment walk and the
// open FIT file.
struct FitBuild {
  FitBuild(RunState& run, FitState& fit);

  RunState& run;             // the state all steps share
  FitState& fit;             // the FIT writer's own state, kept between builds
  std::string mission_text;  // the mission number as text, for criteria and messages

  std::unique_ptr<db::Recordset> mission_record;
  std::unique_ptr<db::Recordset> assignments;  // single-player builds only
  std::unique_ptr<db::Recordset> objectives;
  std::unique_ptr<db::Recordset> drop_zones;

  // Gathered by the assignment walk of a single-player build.
  int32_t warrior_count = 0;
  int32_t part_count = 0;
  int16_t piloted_train_count = 0;
  bool allied_team = false;

  int16_t drop_zone_count = 0;
  // Part numbers of the elemental carriers, in part order.
  std::vector<int16_t> carriers;

  // A field of the mission's NewMissions row.
  const Variant& Mission(std::string_view field) const;
  // The mission's kind, its Multiplayer field compared as a number (a Null is
  // neither kind).
  MissionKind Kind() const;
  bool IsMultiplayer() const { return Kind() == MissionKind::kMultiplayer; }
  bool IsSinglePlayer() const { return Kind() == MissionKind::kSinglePlayer; }

  // "[MissionID] = n", the criteria of every walk over the mission's rows.
  std::string MissionCriteria() const;

  db::Recordset& MechTypes() const;
  db::Recordset& VehicleTypes() const;
  db::Recordset& WarriorTable() const;
  Variant& WorkValueA() const;
  Variant& WorkValueB() const;

  // Writes one whole line (CR LF is added) to the FIT file.
  void Write(std::string_view line = {}) const;
  // Writes fixed lines in order.
  template <typename Lines>
  void WriteAll(const Lines& lines) const {
    for (std::string_view line : lines) Write(line);
  }
};

// The double quote that encloses text values.
inline constexpr std::string_view kQuoteMark = "\"";

// A text between two quote marks.
std::string Quoted(std::string_view text);

}  // namespace quorvane
