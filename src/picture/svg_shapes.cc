#include "picture/svg_shapes.h"

namespace quorvane::picture {

std::string_view SideColour(Side side) {
  switch (side) {
    case Side::kInnerSphere:
      return "#1f5fbf";
    case Side::kClan:
      return "#c0392b";
    case Side::kOther:
      return "#1e8449";
    case Side::kTrain:
      return "#6e4b2a";
    case Side::kUnknown:
      break;
  }
  return "#7d3c98";
}

std::string_view SideClass(Side side) {
  switch (side) {
    case Side::kInnerSphere:
      return "inner-sphere";
    case Side::kClan:
      return "clan";
    case Side::kOther:
      return "allied";
    case Side::kTrain:
      return "train";
    case Side::kUnknown:
      break;
  }
  return "unknown-side";
}

std::string_view KindClass(UnitKind kind) {
  switch (kind) {
    case UnitKind::kMech:
      return "mech";
    case UnitKind::kVehicle:
      return "vehicle";
    case UnitKind::kCarrier:
      return "carrier";
    case UnitKind::kElemental:
      return "elemental";
    case UnitKind::kTrainCar:
      return "train-car";
  }
  return "vehicle";
}

std::string UnitShape(UnitKind kind, std::string_view colour, bool hollow) {
  std::string paint = " fill=\"" + std::string(hollow ? "#ffffff" : colour) + "\" stroke=\"" +
                      std::string(colour) + "\" stroke-width=\"" + (hollow ? "2" : "1") + "\"";
  switch (kind) {
    case UnitKind::kMech:
      return "<circle class=\"shape\" r=\"7\"" + paint + "/>";
    case UnitKind::kVehicle:
      return "<rect class=\"shape\" x=\"-6\" y=\"-6\" width=\"12\" height=\"12\"" + paint + "/>";
    case UnitKind::kCarrier:
      return "<polygon class=\"shape\" points=\"-8,0 -4,-7 4,-7 8,0 4,7 -4,7\"" + paint + "/>";
    case UnitKind::kElemental:
      return "<polygon class=\"shape\" points=\"0,-7 6,5 -6,5\"" + paint + "/>";
    case UnitKind::kTrainCar:
      return "<rect class=\"shape\" x=\"-9\" y=\"-5\" width=\"18\" height=\"10\" rx=\"2\"" + paint +
             "/>";
  }
  return "";
}

}  // namespace quorvane::picture
