#include "picture/read_mission.h"

#include <cmath>
#include <exception>
#include <string>
#include <unordered_map>

#include "fit/drop_zones.h"
#include "picture/markup_text.h"

namespace quorvane::picture {
namespace {

using Rows = std::unique_ptr<db::Recordset>;

// Runs one table's reading; an error of the database (a missing table or
// field, a damaged file) becomes a note and the rest of the mission is read.
template <typename Body>
void ReadPart(MissionModel& model, const std::string& what, Body body) {
  try {
    body();
  } catch (const std::exception& error) {
    model.notes.push_back(what + " could not be read: " + error.what());
  }
}

// Visits every row of a record set from the first.
template <typename Visit>
void EachRow(db::Recordset& rows, Visit visit) {
  for (; !rows.Eof(); rows.MoveNext()) visit(rows);
}

bool IsYes(const Variant& value) {
  std::optional<double> number = NumberOf(value);
  return number && *number != 0;
}

// A radius worth a ring: a number above 0 that a map can hold.
std::optional<double> Radius(const Variant& value) {
  std::optional<double> number = NumberOf(value);
  if (number && *number > 0 && *number <= kFarthestDrawn) return number;
  return std::nullopt;
}

// Why one coordinate cannot be drawn; empty when it can.
std::string CoordinateProblem(std::string_view axis, const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return std::string(axis) + " is Null";
  std::optional<double> number = NumberOf(value);
  if (!number) return std::string(axis) + " is not a number (" + ValueText(value) + ")";
  if (std::fabs(*number) > kFarthestDrawn) {
    return std::string(axis) + " " + ValueText(value) + " lies beyond any map";
  }
  return "";
}

// The position of `x`, `y`, or none with a note about `what`.
std::optional<Point> Place(MissionModel& model, const std::string& what, const Variant& x,
                           const Variant& y) {
  std::string problem = CoordinateProblem("X", x);
  std::string y_problem = CoordinateProblem("Y", y);
  if (problem.empty() && y_problem.empty()) return Point{*NumberOf(x), *NumberOf(y)};
  if (!y_problem.empty()) problem += (problem.empty() ? "" : ", ") + y_problem;
  model.notes.push_back(what + " is not drawn: " + problem + ".");
  return std::nullopt;
}

std::optional<double> Facing(const Variant& rotation) {
  std::optional<double> degrees = NumberOf(rotation);
  if (degrees && std::fabs(*degrees) <= 1e9) return degrees;
  return std::nullopt;
}

// The rows of a whole type table by the text of their key.
using TypeTable = std::unordered_map<std::string, std::pair<std::string, Variant>>;

TypeTable LoadTypes(db::Database& database, MissionModel& model, const std::string& table,
                    const std::string& key, const std::string& name, const std::string& extra) {
  TypeTable types;
  ReadPart(model, "The table " + table, [&] {
    Rows rows = database.OpenRecordset(table);
    EachRow(*rows, [&](db::Recordset& row) {
      types.emplace(ValueText(row.Field(key)),
                    std::make_pair(ValueText(row.Field(name)), row.Field(extra)));
    });
  });
  return types;
}

struct UnitTypes {
  TypeTable mechs, vehicles, warriors;
};

std::string WarriorName(const UnitTypes& types, const Variant& mwid) {
  if (mwid.IsNull() || IsNumber(mwid, 0)) return "none";
  auto found = types.warriors.find(ValueText(mwid));
  if (found == types.warriors.end()) return "MWID " + ValueText(mwid) + " (not in NewMW)";
  const std::string& profile = found->second.first;
  return profile == "Null" || profile.empty() ? "MWID " + ValueText(mwid) : profile;
}

Side SideOf(const Variant& alignment) {
  if (EqualsText(alignment, "Inner Sphere")) return Side::kInnerSphere;
  if (EqualsText(alignment, "Clan")) return Side::kClan;
  if (EqualsText(alignment, "Other")) return Side::kOther;
  if (EqualsText(alignment, "aTrain")) return Side::kTrain;
  return Side::kUnknown;
}

// One assignment row; `type_id` receives the vehicle type's TypeID.
Unit ReadUnit(db::Recordset& row, const UnitTypes& types, int part, Variant& type_id) {
  Unit unit;
  unit.part = part;
  const Variant& alignment = row.Field("Alignment");
  unit.side = SideOf(alignment);
  unit.alignment = ValueText(alignment);
  unit.group = ValueText(row.Field("ForceGroup"));
  unit.role = ValueText(row.Field("Role"));
  const Variant& mech = row.Field("MechID");
  if (!mech.IsNull()) {
    auto found = types.mechs.find(ValueText(mech));
    unit.type_name = found == types.mechs.end() ? "mech " + ValueText(mech) + " (not in Mechs)"
                                                : found->second.first;
    unit.kind = UnitKind::kMech;
  } else {
    const Variant& vehicle = row.Field("VehicleID");
    auto found = types.vehicles.find(ValueText(vehicle));
    if (found == types.vehicles.end()) {
      unit.type_name = "vehicle " + ValueText(vehicle) + " (not in Vehicles)";
    } else {
      unit.type_name = found->second.first;
      type_id = found->second.second;
    }
    unit.kind = ValueText(type_id) == "419" ? UnitKind::kCarrier
                : IsNumber(type_id, 400)    ? UnitKind::kElemental
                                            : UnitKind::kVehicle;
  }
  if (unit.side == Side::kTrain) unit.kind = UnitKind::kTrainCar;
  unit.warrior = WarriorName(types, row.Field("MWID"));
  unit.brain = ValueText(row.Field("BrainFile"));
  unit.x = row.Field("XCoordinate");
  unit.y = row.Field("YCoordinate");
  unit.rotation = row.Field("Rotation");
  unit.facing = Facing(unit.rotation);
  unit.starts_active = IsYes(row.Field("Active"));
  unit.starts_existing = IsYes(row.Field("Exists"));
  unit.create_radius = Radius(row.Field("CreateRadius"));
  unit.activation_radius = Radius(row.Field("ActivationRadius"));
  unit.captureable = IsYes(row.Field("Captureable"));
  return unit;
}

// Elementals whose X and Y both name a carrier by its place in the carrier
// list ride in it (the FIT file's elemental carriers); the others stand
// where their coordinates say.
void SeatElementals(MissionModel& model, const std::vector<Variant>& type_ids) {
  std::vector<Unit*> carriers;
  for (size_t i = 0; i < model.units.size(); ++i) {
    if (ValueText(type_ids[i]) == "419" && model.units[i].kind != UnitKind::kMech) {
      carriers.push_back(&model.units[i]);
    }
  }
  for (size_t i = 0; i < model.units.size(); ++i) {
    Unit& unit = model.units[i];
    if (unit.kind == UnitKind::kMech || !IsNumber(type_ids[i], 400)) continue;
    for (size_t k = 1; k <= carriers.size(); ++k) {
      if (IsNumber(unit.x, static_cast<double>(k)) && IsNumber(unit.y, static_cast<double>(k))) {
        unit.carrier = static_cast<int>(k);
        carriers[k - 1]->elementals += 1;
        break;
      }
    }
  }
}

void ReadUnits(db::Database& database, MissionModel& model, const std::string& id) {
  UnitTypes types{LoadTypes(database, model, "Mechs", "ID", "Name", "ID"),
                  LoadTypes(database, model, "Vehicles", "VehicleID", "Name", "TypeID"),
                  LoadTypes(database, model, "NewMW", "MWID", "FITFileName", "MWID")};
  std::vector<Variant> type_ids;
  ReadPart(model, "The units (MissionAssignments)", [&] {
    Rows rows =
        database.OpenRecordset("SELECT * FROM [MissionAssignments] WHERE [MissionID] = " + id +
                               " ORDER BY [ALIGNMENT] DESC, [FORCEGROUP] ASC, [Role] ASC");
    EachRow(*rows, [&](db::Recordset& row) {
      type_ids.emplace_back();
      model.units.push_back(
          ReadUnit(row, types, static_cast<int>(model.units.size()) + 1, type_ids.back()));
    });
  });
  type_ids.resize(model.units.size());
  SeatElementals(model, type_ids);
  for (Unit& unit : model.units) {
    if (unit.carrier != 0) continue;
    unit.position = Place(
        model,
        "Part " + std::to_string(unit.part) + " (" + UnitLabel(unit) + ", " + unit.type_name + ")",
        unit.x, unit.y);
  }
}

std::optional<Point> OffsetPoint(const Variant& x, const Variant& y) {
  std::optional<double> px = NumberOf(x), py = NumberOf(y);
  if (!px || !py) return std::nullopt;
  return Point{*px, *py};
}

void ReadDropZones(db::Database& database, MissionModel& model, const std::string& id) {
  ReadPart(model, "The drop zones (PlayerEntryPoints)", [&] {
    Rows rows =
        database.OpenRecordset("SELECT * FROM [PlayerEntryPoints] WHERE [MissionID] = " + id);
    EachRow(*rows, [&](db::Recordset& row) {
      DropZone zone;
      zone.index = static_cast<int>(model.drop_zones.size());
      zone.slots = row.Field("Slots");
      zone.x = row.Field("PlayerEntryPointX");
      zone.y = row.Field("PlayerEntryPointY");
      zone.formation = row.Field("Formation");
      zone.rotation = row.Field("Rotation");
      zone.spacing = row.Field("Spacing");
      zone.facing = Facing(zone.rotation);
      std::string what = "Drop zone " + std::to_string(zone.index);
      zone.position = Place(model, what, zone.x, zone.y);
      try {
        if (auto offsets = FormationSlotOffsets(zone.formation, zone.rotation, zone.spacing)) {
          zone.slot_offsets.push_back(Point{0, 0});
          for (int slot = 0; slot < 3; ++slot) {
            zone.slot_offsets.push_back(OffsetPoint(offsets->x[slot], offsets->y[slot]));
          }
        }
      } catch (const std::exception& error) {
        model.notes.push_back(what + ": its slots cannot be placed: " + error.what());
      }
      model.drop_zones.push_back(std::move(zone));
    });
  });
}

void ReadObjectives(db::Database& database, MissionModel& model, const std::string& id) {
  std::vector<std::pair<std::string, Action>> actions;
  ReadPart(model, "The objective actions (ObjectiveScripting)", [&] {
    Rows rows =
        database.OpenRecordset("SELECT * FROM [ObjectiveScripting] WHERE [MissionID] = " + id);
    EachRow(*rows, [&](db::Recordset& row) {
      Action action{ValueText(row.Field("Action")), {}};
      for (int i = 0; i < 5; ++i) {
        action.parameters[i] = row.Field("ActionParm" + std::to_string(i + 1));
      }
      actions.emplace_back(ValueText(row.Field("ObjectiveID")), std::move(action));
    });
  });
  ReadPart(model, "The objectives (Objectives)", [&] {
    Rows rows = database.OpenRecordset("SELECT * FROM [Objectives] WHERE [MissionID] = " + id +
                                       " ORDER BY [Alignment] DESC, [Objective] ASC");
    EachRow(*rows, [&](db::Recordset& row) {
      Objective objective{row.Field("Alignment"),      row.Field("Objective"),
                          row.Field("Description"),    row.Field("Priority"),
                          row.Field("TimeLeft"),       row.Field("Status"),
                          row.Field("ResourcePoints"), {}};
      std::string key = ValueText(row.Field("ObjectiveID"));
      for (const auto& [objective_id, action] : actions) {
        if (objective_id == key) objective.actions.push_back(action);
      }
      model.objectives.push_back(std::move(objective));
    });
  });
}

void ReadStructures(db::Database& database, MissionModel& model, const std::string& id) {
  std::unordered_map<std::string, std::vector<LinkedObject>> linked;
  ReadPart(model, "The linked objects (StructureAssociates)", [&] {
    Rows rows = database.OpenRecordset("StructureAssociates");
    EachRow(*rows, [&](db::Recordset& row) {
      linked[ValueText(row.Field("StructureID"))].push_back(
          {row.Field("Block"), row.Field("Vertex"), row.Field("Number"), row.Field("Inactive"),
           row.Field("AssignmentIndex")});
    });
  });
  std::unordered_map<std::string, std::vector<Salvage>> salvage;
  ReadPart(model, "The salvage (StructureSalvage)", [&] {
    Rows rows = database.OpenRecordset("StructureSalvage");
    EachRow(*rows, [&](db::Recordset& row) {
      if (ValueText(row.Field("MissionID")) != id) return;
      salvage[ValueText(row.Field("StructureID"))].push_back(
          {row.Field("ItemID"), row.Field("Quantity")});
    });
  });
  ReadPart(model, "The structures (MissionStructures)", [&] {
    Rows rows =
        database.OpenRecordset("SELECT * FROM [MissionStructures] WHERE [MissionID] = " + id);
    EachRow(*rows, [&](db::Recordset& row) {
      std::string key = ValueText(row.Field("StructureID"));
      model.structures.push_back({row.Field("Identifier"), row.Field("BuildingType"),
                                  row.Field("Alignment"), row.Field("Block"), row.Field("Vertex"),
                                  row.Field("Number"), row.Field("InitialDamage"),
                                  row.Field("Captureable"), row.Field("Captured"),
                                  row.Field("newtagname"), linked[key], salvage[key]});
    });
  });
}

Trigger TriggerOf(const Variant& use) {
  if (EqualsText(use, "ABL")) return Trigger::kAbl;
  if (EqualsText(use, "Both")) return Trigger::kBoth;
  return Trigger::kRadius;  // Null, "Radius" and any other word
}

void ReadLookouts(db::Database& database, MissionModel& model, const std::string& id) {
  ReadPart(model, "The lookout points (LookoutPoints)", [&] {
    Rows rows = database.OpenRecordset("LookoutPoints");
    EachRow(*rows, [&](db::Recordset& row) {
      if (ValueText(row.Field("MissionID")) != id) return;
      Lookout lookout;
      lookout.index = static_cast<int>(model.lookouts.size());
      lookout.clan = IsNumber(row.Field("Side"), -1);
      lookout.use = row.Field("UseABLorRadius");
      lookout.trigger = TriggerOf(lookout.use);
      lookout.x = row.Field("XCoordinate");
      lookout.y = row.Field("YCoordinate");
      lookout.radius = row.Field("Radius");
      lookout.reveal_radius = row.Field("RevealRadius");
      lookout.condition = row.Field("ABLCondition");
      lookout.trigger_radius = Radius(lookout.radius);
      lookout.reveal = Radius(lookout.reveal_radius);
      lookout.position =
          Place(model, "Lookout point " + std::to_string(lookout.index), lookout.x, lookout.y);
      model.lookouts.push_back(std::move(lookout));
    });
  });
}

void ReadMissionRow(db::Database& database, MissionModel& model, const std::string& id) {
  ReadPart(model, "The mission (NewMissions)", [&] {
    Rows rows = database.OpenRecordset("SELECT * FROM [NewMissions] WHERE [MissionID] = " + id);
    if (rows->Eof()) return;
    model.found = true;
    model.name = ValueText(rows->Field("MissionName"));
    model.file_name = ValueText(rows->Field("MissionFileName"));
    model.multiplayer = rows->Field("Multiplayer");
  });
  if (!model.found) {
    model.notes.insert(model.notes.begin(),
                       "Mission " + id + " has no row in NewMissions: there is no such mission.");
  }
}

}  // namespace

MissionModel ReadMission(db::Database& database, int16_t mission) {
  MissionModel model;
  model.mission = mission;
  std::string id = std::to_string(mission);
  ReadMissionRow(database, model, id);
  ReadUnits(database, model, id);
  ReadDropZones(database, model, id);
  ReadObjectives(database, model, id);
  ReadStructures(database, model, id);
  ReadLookouts(database, model, id);
  return model;
}

MissionModel UnreadMission(int16_t mission, const std::string& reason) {
  MissionModel model;
  model.mission = mission;
  model.notes.push_back(reason);
  return model;
}

}  // namespace quorvane::picture
