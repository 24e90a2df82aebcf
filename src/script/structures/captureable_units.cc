#include "script/structures/captureable_units.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "script/abl_text.h"
#include "script/script_session.h"

namespace quorvane {
namespace {

// The ABL force of a unit's side (exact texts).
std::optional<std::string_view> ForceName(const Variant& alignment) {
  struct Force {
    std::string_view side;
    std::string_view force;
  };
  static constexpr std::array<Force, 3> kForces = {{
      {"Clan", "CLAN_FORCE"},
      {"Inner Sphere", "PLAYER_FORCE"},
      {"Other", "ALLIED_FORCE"},
  }};
  for (const Force& force : kForces) {
    if (EqualsText(alignment, force.side)) return force.force;
  }
  return std::nullopt;
}

// The script numbers force groups from 0, the database from 1. A Null group
// stays Null and joins as nothing. Like every sum of field values the result
// widens rather than overflows (-32768 gives -32769).
std::string ScriptForceGroup(const Variant& force_group) {
  switch (force_group.type()) {
    case VariantType::kNull:
    case VariantType::kEmpty:
      return "";
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      return std::to_string(force_group.integer_value() - 1);
    default:
      return JoinedForm(Variant::Double(force_group.ToDouble() - 1));
  }
}

// Whether a unit of the force group comes before the unit with `role` and
// `unique_entry`.
bool ComesBefore(const db::Recordset& row, double role, double unique_entry) {
  std::optional<int> by_role = CompareWithNumber(row.Field("Role"), role);
  if (!by_role) return false;
  if (*by_role != 0) return *by_role < 0;
  std::optional<int> by_entry = CompareWithNumber(row.Field("UniqueEntry"), unique_entry);
  return by_entry && *by_entry < 0;
}

}  // namespace

int16_t GetAssignmentIndex(ScriptSession& session, int32_t unique_entry) {
  std::unique_ptr<db::Recordset> units = session.run.database->OpenRecordset("MissionAssignments");
  units->FindFirst("[UniqueEntry] = " + std::to_string(unique_entry));
  if (units->NoMatch()) {
    session.run.messages.Notice("Couldn't find MissionAssignment" + std::to_string(unique_entry));
    units->Close();
    return -1;
  }
  const std::string group_criteria =
      "[MissionID] = " + JoinedForm(units->Field("MissionID")) + " AND [Alignment] = '" +
      JoinedForm(units->Field("Alignment")) +
      "' AND [ForceGroup] = " + JoinedForm(units->Field("ForceGroup")) +
      " AND [Role] <= " + JoinedForm(units->Field("Role"));
  const double role = units->Field("Role").ToDouble();
  int16_t index = 0;
  units->FindFirst(group_criteria);
  while (!units->NoMatch()) {
    if (ComesBefore(*units, role, unique_entry)) index = CheckedInteger(index + 1);
    units->FindNext(group_criteria);
  }
  units->Close();
  return index;
}

bool WriteCaptureableUnits(ScriptSession& session, int16_t mission) {
  std::unique_ptr<db::Recordset> units = session.run.database->OpenRecordset("MissionAssignments");
  const std::string criteria =
      "[MissionID] = " + std::to_string(mission) + " AND [Captureable] = TRUE";
  units->FindFirst(criteria);
  while (!units->NoMatch()) {
    std::optional<std::string_view> force = ForceName(units->Field("Alignment"));
    if (!force) {
      session.run.messages.Notice("Alignment not set correctly on captureable vehicle.");
      return false;
    }
    const std::string group = ScriptForceGroup(units->Field("ForceGroup"));
    const int16_t index = GetAssignmentIndex(session, units->Field("UniqueEntry").ToLong());
    WriteInitLine(session, "setCaptureable(getVehicleID(" + std::string(*force) + "," + group +
                               "," + std::to_string(index) + "),TRUE)");
    units->FindNext(criteria);
  }
  return true;
}

}  // namespace quorvane
