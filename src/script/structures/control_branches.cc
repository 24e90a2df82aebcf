#include "script/structures/control_branches.h"

#include <string>

#include "script/structures/linked_objects.h"

namespace quorvane {

void WriteDestroyedTest(const StructureContext& control) {
  control.WriteEmptyLine();
  control.Write(control.Named("if ((isdead({I})) AND ({S} <> -2)) then"));
}

void WriteSwitchOffBranch(const StructureContext& control, const SwitchControlForm& form) {
  WriteDestroyedTest(control);
  BranchStatements off(control, 6, form.spelling, "0");
  ForEachLinkedObject(control, [&](const LinkedObject& object) {
    const int32_t number = object.ObjectId();
    const std::string id = std::to_string(number);
    InitLinkedObjectSide(control, number);
    if (form.inactive_start_in_destroyed_branch && object.Inactive()) {
      control.Init("setObjectActive(" + id + ",FALSE)");
    }
    off.Add("setObjectActive(" + id + ",FALSE);");
  });
  off.Add(control.side_variable + " = -2;");
}

void WriteSwitchHandOverBranch(const StructureContext& control, const SwitchControlForm& form) {
  control.Write(6, CaptureTest(control));
  BranchStatements captured(control, 12, form.spelling, SideParameter(control, form.spelling));
  const std::string side(control.CapturingSide());
  ForEachLinkedObject(control, [&](const LinkedObject& object) {
    const std::string id = std::to_string(object.ObjectId());
    if (object.Inactive()) {
      control.Init("setObjectActive(" + id + ",FALSE)");
      captured.Add("setObjectActive(" + id + std::string(form.switch_on_separator) + "TRUE);");
    }
    captured.Add("objectChangeSides(" + id + "," + side + ");");
    if (!control.multiplayer || form.contact_in_multiplayer) {
      captured.Add("setPotentialContact(" + id + ",2);");
    }
  });
  if (control.multiplayer) {
    captured.Add(control.Named("{S} = MsgParams;"));
    captured.Add(control.Named("objectChangeSides({I},MsgParams);"));
  } else {
    captured.Add(control.Named("objectChangeSides({I},INNER_SPHERE);"));
    captured.Add(control.Named("{S} = INNER_SPHERE;"));
    captured.Add(control.Named("setPotentialContact({I},2);"));
  }
  control.Write(6, "endif;");
}

void WriteSwitchControl(const StructureContext& control, const SwitchControlForm& form) {
  WriteSwitchOffBranch(control, form);
  if (control.captureable) {
    control.Write("else");
    WriteSwitchHandOverBranch(control, form);
  }
  control.Write("endif;");
}

}  // namespace quorvane
