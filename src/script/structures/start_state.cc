#include "script/structures/start_state.h"

#include <array>
#include <optional>
#include <string>

#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_session.h"
#include "script/structures/branch_statements.h"

namespace quorvane {
namespace {

// An identifier with "[" names an element of the script's ObjectList array,
// which the script declares itself.
bool IsObjectListElement(const std::string& identifier) {
  return identifier.find('[') != std::string::npos;
}

void WriteObjectVariable(StructureContext& structure, int32_t object_number) {
  const std::string number = std::to_string(object_number);
  if (IsObjectListElement(structure.identifier)) {
    WriteInitLine(structure.session, structure.identifier, number);
    structure.counts.object_list = CheckedInteger(structure.counts.object_list + 1);
  } else {
    DeclareScriptVariable(structure.session, "eternal integer", structure.identifier, number);
  }
}

void WriteSalvage(const StructureContext& structure, db::Recordset& salvage, int16_t mission) {
  salvage.FindFirst("[StructureID] =" + structure.structure_id);
  const std::string next_criteria =
      "[StructureID] = " + structure.structure_id + " AND [MissionID] =" + std::to_string(mission);
  while (!salvage.NoMatch()) {
    structure.Init("setSalvage(" + structure.identifier + "," +
                   JoinedForm(salvage.Field("ItemID")) + "," +
                   JoinedForm(salvage.Field("Quantity")) + ")");
    salvage.FindNext(next_criteria);
  }
}

std::string SideVariableName(const StructureContext& structure) {
  if (IsObjectListElement(structure.identifier)) {
    return "Object" + std::to_string(structure.counts.object_list - 1) + "Alignment";
  }
  return structure.identifier + "Alignment";
}

// The variable that holds the structure's current side, starting on its
// Alignment; -2 in it marks a capture that is used up.
void DeclareSideVariable(StructureContext& structure) {
  structure.side_variable = SideVariableName(structure);
  if (std::optional<std::string_view> side = ObjectSideName(structure.alignment)) {
    DeclareScriptVariable(structure.session, "static integer", structure.side_variable, *side);
  }
}

constexpr std::array<PlacedLine, 2> kHandOverTest = {{
    {1, "if (isAlive({I})) then"},
    {6, "if ((IsCaptured({I}) == 1) AND (objectSide({I}) <> {S}) AND ({S} <> -2)) then"},
}};
constexpr std::array<PlacedLine, 2> kHandOverEnd = {{{6, "endif;"}, {1, "endif;"}}};

// A captured structure without behaviour changes sides on every player's
// machine: the server sends the capturer's side.
void WriteCaptureHandOverEvent(const StructureContext& structure) {
  const int16_t number = AddMultiplayerEvent(
      structure.session, structure.Named("objectChangeSides({I},MsgParams);"), true);
  AddMultiplayerEvent(structure.session, structure.Named("{S} = MsgParams;"), false);
  structure.WriteLines(kHandOverTest);
  WriteSendLines(structure, 12, kHandOverMessages, number,
                 SideParameter(structure, kHandOverMessages));
  structure.WriteLines(kHandOverEnd);
}

void WriteCaptureState(StructureContext& structure, const db::Recordset& row,
                       const Behaviour* behaviour) {
  if (structure.captureable) structure.Init("setCaptureable(" + structure.identifier + ", TRUE)");
  if (structure.captureable || (behaviour != nullptr && behaviour->uses_side_variable)) {
    DeclareSideVariable(structure);
  }
  if (structure.captureable && row.Field("BuildingType").IsNull() && structure.multiplayer) {
    WriteCaptureHandOverEvent(structure);
  }
}

}  // namespace

void WriteStartState(StructureContext& structure, const db::Recordset& row, db::Recordset& salvage,
                     int16_t mission, const Behaviour* behaviour) {
  const int32_t object_number =
      MakeObjectId(row.Field("Block").ToInteger(), row.Field("Vertex").ToInteger(),
                   row.Field("Number").ToInteger());
  WriteObjectVariable(structure, object_number);
  const std::string& id = structure.identifier;
  std::optional<int> damage = CompareWithNumber(structure.initial_damage, 0);
  if (damage && *damage != 0) {
    structure.Init("setObjectDamage(" + id + "," + JoinedForm(structure.initial_damage) + ")");
  }
  if (std::optional<std::string_view> side = ObjectSideName(structure.alignment)) {
    structure.Init("objectChangeSides(" + id + "," + std::string(*side) + ")");
  }
  structure.Init("setPotentialContact(" + id + "," + JoinedForm(row.Field("Contact")) + ")");
  WriteSalvage(structure, salvage, mission);
  WriteCaptureState(structure, row, behaviour);
  if (row.Field("Captured").IsTrue()) structure.Init("setCaptured(" + id + ")");
  const Variant& name = row.Field("newtagname");
  if (!name.IsNull()) structure.Init("setBuildingName(" + id + "," + JoinedForm(name) + ")");
}

}  // namespace quorvane
