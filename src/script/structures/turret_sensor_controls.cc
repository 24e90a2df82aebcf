// Turret and sensor controls: a destroyed control switches its turrets or
// sensor towers off for good; a captured one hands them over.

#include <optional>
#include <string>

#include "script/structures/behaviours.h"
#include "script/structures/branch_statements.h"
#include "script/structures/control_branches.h"
#include "script/structures/linked_objects.h"

namespace quorvane {
namespace {

// The side a captured sensor control and its towers pass to. The server of a
// multiplayer mission sends the capturer's side; in a single-player mission a
// Clan or neutral control goes to the player and the player's to the Clan.
std::optional<std::string> SensorCapturingSide(const StructureContext& control) {
  if (control.multiplayer) return "MsgParams";
  if (EqualsNumber(control.alignment, 0) || EqualsNumber(control.alignment, 1)) {
    return "INNER_SPHERE";
  }
  if (EqualsNumber(control.alignment, 2)) return "CLAN";
  return std::nullopt;
}

void WriteSensorHandOverBranch(const StructureContext& control) {
  std::optional<std::string> side = SensorCapturingSide(control);
  if (!side) return;
  // The single-player test does not check for a used-up capture.
  control.Write(
      6, control.multiplayer
             ? CaptureTest(control)
             : control.Named("if ((IsCaptured({I}) == 1) AND (objectSide({I}) <> {S})) then"));
  const bool contact = !control.multiplayer && *side == "INNER_SPHERE";
  const MessageSpelling& spelling = kSensorControlForm.spelling;
  BranchStatements captured(control, 12, spelling, SideParameter(control, spelling));
  ForEachLinkedObject(control, [&](const LinkedObject& object) {
    const std::string id = std::to_string(object.ObjectId());
    if (object.Inactive()) captured.Add("setObjectActive(" + id + ",TRUE);");
    captured.Add("objectChangeSides(" + id + "," + *side + ");");
    if (contact) captured.Add("setPotentialContact(" + id + ",2);");
  });
  captured.Add("objectChangeSides(" + control.identifier + "," + *side + ");");
  captured.Add(control.side_variable + " = " + *side + ";");
  control.Write(6, "endif;");
}

}  // namespace

void WriteTurretControl(StructureContext& control) {
  WriteSwitchControl(control, kTurretControlForm);
}

void WriteSensorControl(StructureContext& control) {
  WriteSwitchOffBranch(control, kSensorControlForm);
  if (control.captureable) {
    control.Write("else");
    WriteSensorHandOverBranch(control);
  }
  control.Write("endif;");
}

}  // namespace quorvane
