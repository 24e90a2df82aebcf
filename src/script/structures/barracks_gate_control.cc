// Barracks and gate controls.

#include <string>

#include "script/structures/behaviours.h"
#include "script/structures/branch_statements.h"
#include "script/structures/control_branches.h"
#include "script/structures/linked_objects.h"

namespace quorvane {
namespace {

// A destroyed gate control locks each gate as it stands; a closed gate passes
// to the player in a single-player mission. Each gate's open and closed
// cases are events of their own in a multiplayer mission.
void WriteGateLock(const StructureContext& control, const LinkedObject& gate) {
  const int32_t number = gate.ObjectId();
  const std::string id = std::to_string(number);
  InitLinkedObjectSide(control, number);
  if (gate.Inactive()) control.Init("LockGateClosed(" + id + ")");
  const std::string used_up = control.side_variable + " = -2;";
  control.Write(6, "if (isGateOpen(" + id + ")) then");
  BranchStatements open(control, 12, kLowerCaseMessages, "0");
  open.Add("LockGateOpen(" + id + ");");
  open.Add(used_up);
  control.Write(6, "else");
  BranchStatements closed(control, 12, kLowerCaseMessages, "0");
  closed.Add("LockGateClosed(" + id + ");");
  if (!control.multiplayer) {
    closed.Add("objectChangeSides(" + id + ",INNER_SPHERE);");
    closed.Add("setPotentialContact(" + id + ",2);");
  }
  closed.Add(used_up);
  control.Write(6, "endif;");
}

// A captured gate control unlocks its gates and hands them over.
void WriteGateHandOverBranch(const StructureContext& control) {
  control.Write(6, CaptureTest(control));
  BranchStatements captured(control, 12, kLowerCaseMessages,
                            SideParameter(control, kLowerCaseMessages));
  const std::string side(control.CapturingSide());
  ForEachLinkedObject(control, [&](const LinkedObject& gate) {
    const std::string id = std::to_string(gate.ObjectId());
    captured.Add("objectChangeSides(" + id + "," + side + ");");
    captured.Add("ReleaseGateLock(" + id + ");");
    if (!control.multiplayer) captured.Add("setPotentialContact(" + id + ",2);");
  });
  if (control.multiplayer) {
    captured.Add(control.Named("{S} = MsgParams;"));
    captured.Add(control.Named("objectChangeSides({I},MsgParams);"));
  } else {
    captured.Add(control.Named("{S} = INNER_SPHERE;"));
  }
  control.Write(6, "endif;");
}

}  // namespace

void WriteBarracks(StructureContext& barracks) {
  barracks.WriteEmptyLine();
  barracks.Write("if (getObjectDamage(" + barracks.identifier + ") > " +
                 JoinedForm(barracks.initial_damage) + ") then");
  barracks.Write(6, "GeneralAlarm = TRUE;");
  barracks.Write("endif;");
}

void WriteGateControl(StructureContext& control) {
  WriteDestroyedTest(control);
  ForEachLinkedObject(control, [&](const LinkedObject& gate) { WriteGateLock(control, gate); });
  if (control.captureable) {
    control.Write("else");
    WriteGateHandOverBranch(control);
  }
  control.Write("endif;");
}

}  // namespace quorvane
