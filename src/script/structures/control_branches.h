#pragma once

#include <string_view>

#include "script/structures/branch_statements.h"
#include "script/structures/structure_context.h"

namespace quorvane {

// The head of every control behaviour: an empty line and the test that the
// control is destroyed while its capture is not used up.
void WriteDestroyedTest(const StructureContext& control);

// How a control that switches its linked objects on and off (turret, sensor
// and power controls) writes its branches; the controls differ only here.
struct SwitchControlForm {
  const MessageSpelling& spelling;
  // An Inactive object's "switched off at the start" init line belongs to
  // the destroyed branch (else to the captured branch).
  bool inactive_start_in_destroyed_branch;
  // Between the object and TRUE in the statement that switches it back on.
  std::string_view switch_on_separator;
  // A captured object's potential contact is also set in a multiplayer event.
  bool contact_in_multiplayer;
};

inline constexpr SwitchControlForm kTurretControlForm{kCapitalisedMessages, false, ",", true};
inline constexpr SwitchControlForm kSensorControlForm{kLowerCaseMessages, true, ",", true};
inline constexpr SwitchControlForm kPowerControlForm{kCapitalisedMessages, false, " , ", false};

// The destroyed test and its branch: every linked object starts on the
// control's side and is switched off for good when the control falls; the
// control's capture is used up.
void WriteSwitchOffBranch(const StructureContext& control, const SwitchControlForm& form);

// The captured branch of turret and power controls (after "else"): the
// capture test, the hand-over of every linked object and of the control to
// the capturing side, and the closing "endif;".
void WriteSwitchHandOverBranch(const StructureContext& control, const SwitchControlForm& form);

// A whole turret or power control: the switch-off branch, for a captureable
// control "else" and the hand-over branch, and the closing "endif;".
void WriteSwitchControl(const StructureContext& control, const SwitchControlForm& form);

}  // namespace quorvane
