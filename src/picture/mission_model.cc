#include "picture/mission_model.h"

#include "picture/markup_text.h"

namespace quorvane::picture {

std::string MissionKind(const MissionModel& mission) {
  if (!mission.found) return "not in the database";
  if (mission.multiplayer.IsNull())
    return "neither single-player nor multiplayer (Multiplayer is Null)";
  if (IsNumber(mission.multiplayer, -1)) return "multiplayer";
  if (IsNumber(mission.multiplayer, 0)) return "single-player";
  return "Multiplayer is " + ValueText(mission.multiplayer);
}

std::string SideName(const Unit& unit) {
  switch (unit.side) {
    case Side::kInnerSphere:
      return "Inner Sphere";
    case Side::kClan:
      return "Clan";
    case Side::kOther:
      return "Allied";
    case Side::kTrain:
      return "Train";
    case Side::kUnknown:
      break;
  }
  return unit.alignment;
}

std::string UnitLabel(const Unit& unit) {
  return SideName(unit) + " " + unit.group + "." + unit.role;
}

std::string KindName(UnitKind kind) {
  switch (kind) {
    case UnitKind::kMech:
      return "mech";
    case UnitKind::kVehicle:
      return "vehicle";
    case UnitKind::kCarrier:
      return "elemental carrier";
    case UnitKind::kElemental:
      return "elemental";
    case UnitKind::kTrainCar:
      return "train car";
  }
  return "unit";
}

std::string DefaultMapName(const MissionModel& mission, const std::string& ending) {
  const std::string& name = mission.file_name;
  bool plain = mission.found && !name.empty() && name != "Null" && name != "." && name != ".." &&
               name.find_first_of("/\\:") == std::string::npos &&
               name.find('\0') == std::string::npos;
  return (plain ? name : "mission" + std::to_string(mission.mission)) + ending;
}

}  // namespace quorvane::picture
