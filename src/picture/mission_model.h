#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/variant.h"

namespace quorvane::picture {

// A mission as the map and the report show it: every row the compiler reads,
// with the positions the game will use worked out. Values stay as the
// database holds them; what cannot be drawn is said in `notes`.

// World position in the game's units.
struct Point {
  double x = 0;
  double y = 0;
};

// Sides of units: MissionAssignments.Alignment.
enum class Side { kInnerSphere, kClan, kOther, kTrain, kUnknown };

enum class UnitKind { kMech, kVehicle, kCarrier, kElemental, kTrainCar };

struct Unit {
  int part = 0;  // 1-based, in the FIT file's part order
  Side side = Side::kUnknown;
  std::string alignment;  // as stored
  std::string group, role;
  UnitKind kind = UnitKind::kVehicle;
  std::string type_name;
  std::string warrior;  // the warrior's profile, or its MWID
  std::string brain;
  Variant x, y, rotation;
  std::optional<Point> position;  // none: Null, not a number or off any map
  std::optional<double> facing;   // Rotation in degrees
  bool starts_active = true;
  bool starts_existing = true;
  std::optional<double> create_radius;      // greater than 0
  std::optional<double> activation_radius;  // greater than 0
  bool captureable = false;
  int carrier = 0;     // an elemental riding in carrier k (1-based): drawn with it
  int elementals = 0;  // a carrier: the elementals riding in it
};

struct DropZone {
  int index = 0;  // n of [DropZone n]
  Variant slots, x, y, formation, rotation, spacing;
  std::optional<Point> position;
  std::optional<double> facing;
  // Offsets of slots 0 to 3 from the position, as the FIT file writes them;
  // empty when the formation and rotation have no layout, an offset none when
  // it is not a number.
  std::vector<std::optional<Point>> slot_offsets;
};

struct Action {
  std::string name;
  std::array<Variant, 5> parameters;
};

struct Objective {
  Variant alignment, order, description, priority, time_left, status, points;
  std::vector<Action> actions;
};

struct LinkedObject {
  Variant block, vertex, number, inactive, assignment;
};

struct Salvage {
  Variant item, quantity;
};

struct Structure {
  Variant identifier, building_type, alignment, block, vertex, number;
  Variant initial_damage, captureable, captured, tag_name;
  std::vector<LinkedObject> linked;
  std::vector<Salvage> salvage;
};

enum class Trigger { kRadius, kAbl, kBoth };

struct Lookout {
  int index = 0;  // p of LOPp
  bool clan = false;
  Trigger trigger = Trigger::kRadius;
  Variant x, y, radius, reveal_radius, condition, use;
  std::optional<Point> position;
  std::optional<double> trigger_radius;  // greater than 0
  std::optional<double> reveal;          // greater than 0
};

struct MissionModel {
  int16_t mission = 0;
  bool found = false;  // the mission has a NewMissions row
  std::string name;
  std::string file_name;
  Variant multiplayer;
  std::vector<Unit> units;
  std::vector<DropZone> drop_zones;
  std::vector<Objective> objectives;  // in the FIT file's objective order
  std::vector<Structure> structures;
  std::vector<Lookout> lookouts;
  // Whatever could not be read or placed, one sentence each.
  std::vector<std::string> notes;
};

// "single-player", "multiplayer", or what the Multiplayer field holds instead.
std::string MissionKind(const MissionModel& mission);

// "Inner Sphere", "Clan", "Allied", "Train" or the stored text.
std::string SideName(const Unit& unit);

// "Inner Sphere 1.2": side, force group and role.
std::string UnitLabel(const Unit& unit);

// "mech", "vehicle", "elemental carrier", "elemental" or "train car".
std::string KindName(UnitKind kind);

// The file name the map gets by default: MissionFileName + ".svg", or
// "mission" + number + ".svg" when that name is missing or not a plain name.
std::string DefaultMapName(const MissionModel& mission, const std::string& ending);

}  // namespace quorvane::picture
