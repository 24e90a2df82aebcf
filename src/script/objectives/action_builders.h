#pragma once

#include <optional>

#include "script/objectives/action_context.h"

namespace quorvane {

// Each action of the design either contributes the lines of a standard block
// (nothing when its parameters select no test) or writes a block of its own.
using LinesBuilder = std::optional<ActionLines> (*)(const ActionContext&);
using OwnWriter = void (*)(const ActionContext&);

// Actions over the enemy force and over guarded forces (group_actions.cc).
std::optional<ActionLines> DestroyEnemy(const ActionContext& context);
std::optional<ActionLines> EnemyDeadOrFled(const ActionContext& context);
std::optional<ActionLines> PreventEnemyDeadOrFled(const ActionContext& context);
std::optional<ActionLines> PreventEnemyWithdraw(const ActionContext& context);
std::optional<ActionLines> GuardAlly(const ActionContext& context);
std::optional<ActionLines> GuardPlayer(const ActionContext& context);
std::optional<ActionLines> GuardClanner(const ActionContext& context);

// Named objects, the objective's object list and vehicles (object_actions.cc).
std::optional<ActionLines> DestroyObject(const ActionContext& context);
std::optional<ActionLines> DestroyNumObjects(const ActionContext& context);
std::optional<ActionLines> GuardNumObjects(const ActionContext& context);
std::optional<ActionLines> CaptureNumObjects(const ActionContext& context);
std::optional<ActionLines> DestroyVehicle(const ActionContext& context);
std::optional<ActionLines> DestroyVehicleType(const ActionContext& context);
std::optional<ActionLines> GuardVehicleType(const ActionContext& context);
std::optional<ActionLines> GuardVehicle(const ActionContext& context);
std::optional<ActionLines> CaptureEnemyVehicles(const ActionContext& context);

// Structures given by their map position (structure_actions.cc).
std::optional<ActionLines> DestroyStructure(const ActionContext& context);
std::optional<ActionLines> GuardStructure(const ActionContext& context);
std::optional<ActionLines> CaptureStructure(const ActionContext& context);
std::optional<ActionLines> KingOfHill(const ActionContext& context);

// Reaching an area (area_actions.cc).
std::optional<ActionLines> MoveToArea(const ActionContext& context);
std::optional<ActionLines> MoveAllToArea(const ActionContext& context);
std::optional<ActionLines> ExtractionZone(const ActionContext& context);
std::optional<ActionLines> AlliedExtractionZone(const ActionContext& context);
std::optional<ActionLines> MoveAllAlliedToArea(const ActionContext& context);

// The objective marker, secondary failure and the designer's own conditions
// (designer_actions.cc).
void SetObjectiveMarker(const ActionContext& context);
void FailSecondaryObjective(const ActionContext& context);
std::optional<ActionLines> AblSuccess(const ActionContext& context);
std::optional<ActionLines> AblFail(const ActionContext& context);
void AblSuccessFail(const ActionContext& context);

}  // namespace quorvane
