#pragma once

#include <string_view>

#include "platform/variant.h"
#include "script/structures/structure_context.h"

namespace quorvane {

// A structure behaviour: the BuildingType that selects it (exact text),
// its writer, and whether its code keeps the structure's side in a side
// variable (then every such structure gets one, captureable or not).
struct Behaviour {
  std::string_view building_type;
  void (*write)(StructureContext& structure);
  bool uses_side_variable;
};

// The behaviour of a BuildingType, or nullptr for Null and unknown types.
const Behaviour* FindBehaviour(const Variant& building_type);

// Alarms and prisons.
void WritePerimeterAlarm(StructureContext& structure);
void WritePrison(StructureContext& structure);
// Controls that switch their linked objects.
void WriteTurretControl(StructureContext& structure);
void WriteSensorControl(StructureContext& structure);
// Barracks and gates.
void WriteBarracks(StructureContext& structure);
void WriteGateControl(StructureContext& structure);
// Power, capture, bays and crates.
void WritePowerStation(StructureContext& structure);
void WritePowerControl(StructureContext& structure);
void WriteNoLinkCaptureable(StructureContext& structure);
void WriteMechBay(StructureContext& structure);
void WriteVehicleBay(StructureContext& structure);
void WriteArtilleryCrate(StructureContext& structure);

}  // namespace quorvane
