#include "support/scale_mission.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/mission_sql.h"

namespace quorvane::testing {
namespace {

// One INSERT of SQL literals, in the table's column order.
void Insert(std::string& sql, std::string_view table, const std::vector<std::string>& values) {
  sql += "INSERT INTO \"";
  sql += table;
  sql += "\" VALUES (";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i != 0) sql += ", ";
    sql += values[i];
  }
  sql += ");\n";
}

std::string Number(long value) { return std::to_string(value); }
std::string Text(std::string_view text) { return "'" + std::string(text) + "'"; }

constexpr int kMechTypes = 50;
constexpr int kCarrierType = 101;    // TypeID 419
constexpr int kElementalType = 102;  // TypeID 400, VehicleType 3
constexpr int kTrainCarType = 130;
constexpr int kFirstPlainVehicle = 103;

// The unit types every mission shares.
void TypeRows(std::string& sql) {
  for (int id = 1; id <= kMechTypes; ++id) {
    Insert(sql, "Mechs",
           {Number(id), Number(500 + id), Text("Mech " + Number(id)),
            id % 7 == 0 ? "NULL" : Text("mech" + Number(id))});
  }
  for (int id = kCarrierType; id <= kTrainCarType; ++id) {
    long type_id = id == kCarrierType ? 419 : id == kElementalType ? 400 : 200 + id;
    Insert(sql, "Vehicles",
           {Number(id), Number(type_id), id == kElementalType ? "3" : "1",
            Text("Vehicle " + Number(id)), id % 5 == 0 ? "NULL" : Text("veh" + Number(id))});
  }
}

// The assignments of one mission by side, and the warriors they name.
class UnitWriter {
 public:
  UnitWriter(std::string& sql, int mission, long& next_entry)
      : sql_(sql), mission_(mission), next_entry_(next_entry) {}

  // `count` units of a side in force groups of twelve. On the Clan side every
  // fourth group opens with a carrier and two elementals placed in it.
  void Side(std::string_view side, int count) {
    for (int i = 0; i < count; ++i) {
      int group = i / 12 + 1;
      int role = i % 12 + 1;
      bool carrier_group = side == "Clan" && group % 4 == 1;
      if (carrier_group && role == 1) ++carriers_;
      std::string mech = "NULL";
      std::string vehicle = "NULL";
      std::string x = Number(next_entry_ * 37 % 16000 - 8000) + ".5";
      std::string y = Number(next_entry_ * 91 % 16000 - 8000) + ".25";
      if (carrier_group && role == 1) {
        vehicle = Number(kCarrierType);
      } else if (carrier_group && role <= 3) {
        vehicle = Number(kElementalType);
        x = y = Number(carriers_);
      } else if (i % 3 == 1) {
        vehicle = Number(kFirstPlainVehicle + i % (kTrainCarType - kFirstPlainVehicle));
      } else {
        mech = Number(1 + i % kMechTypes);
      }
      std::string warrior = Number(next_entry_);
      Insert(sql_, "NewMW", {warrior, Text("pmw" + warrior)});
      Unit(side, group, role, warrior, mech, vehicle, x, y, i);
    }
  }

  // Train cars in trains of five.
  void Trains(int count) {
    for (int i = 0; i < count; ++i) {
      std::string x = Number(i * 53 % 9000) + ".5";
      Unit("aTrain", i / 5 + 1, i % 5 + 1, "0", "NULL", Number(kTrainCarType), x, x, i);
    }
  }

 private:
  void Unit(std::string_view side, int group, int role, const std::string& warrior,
            const std::string& mech, const std::string& vehicle, const std::string& x,
            const std::string& y, int i) {
    bool created = i % 11 == 5;
    bool activated = i % 13 == 6;
    Insert(sql_, "MissionAssignments",
           {Number(mission_), Number(next_entry_++), Text(side), Number(group), Number(role),
            warrior, mech, vehicle, i % 3 == 0 ? Text("brain" + Number(i % 9)) : "NULL", x, y,
            Number(i % 4 * 45 - 90), activated ? "0" : "-1", created ? "0" : "-1",
            created ? "300.0" : "0.0", activated ? "250.5" : "0.0",
            side != "aTrain" && i % 30 == 0 ? "-1" : "0"});
  }

  std::string& sql_;
  int mission_;
  long& next_entry_;
  int carriers_ = 0;
};

constexpr std::array<std::string_view, 13> kBehaviours = {"Perimeter Alarm",
                                                          "Prison",
                                                          "Turret Control",
                                                          "Sensor Control",
                                                          "Barracks",
                                                          "Gate Control",
                                                          "Power Station",
                                                          "Power Control",
                                                          "No-link Captureable",
                                                          "Mech Bay",
                                                          "Vehicle Bay",
                                                          "Artillery Crate",
                                                          ""};

// Structures cycling through every behaviour (and none), with the objects
// linked to them and some salvage.
void StructureRows(std::string& sql, int mission, int count, long& next_structure) {
  for (int i = 0; i < count; ++i) {
    long id = next_structure++;
    std::string_view behaviour = kBehaviours[static_cast<size_t>(i) % kBehaviours.size()];
    Insert(sql, "MissionStructures",
           {Number(mission), Number(id), Text("S" + Number(id)), Number(i / 100 % 30),
            Number(i % 100), Number(i % 8), behaviour.empty() ? "NULL" : Text(behaviour),
            Number(i % 3), i % 4 == 0 ? "12.5" : "0.0", Number(i % 3), i % 2 == 0 ? "-1" : "0", "0",
            i % 5 == 0 ? Text("Building " + Number(i)) : "NULL"});
    if (behaviour == "Prison") {
      Insert(sql, "StructureAssociates",
             {Number(id), "0", "0", "0", "0", Number(1 + i / kBehaviours.size() % 12)});
    } else if (behaviour == "Turret Control" || behaviour == "Sensor Control" ||
               behaviour == "Gate Control" || behaviour == "Power Station" ||
               behaviour == "Power Control") {
      for (int link = 0; link < 3; ++link) {
        Insert(sql, "StructureAssociates",
               {Number(id), Number(i / 100 % 30), Number((i + link) % 100), Number(link),
                link == 1 ? "-1" : "0", "NULL"});
      }
    }
    if (i % 7 == 0) {
      Insert(sql, "StructureSalvage",
             {Number(id), Number(mission), Number(40 + i % 9), Number(1 + i % 3)});
    }
  }
}

void LookoutRows(std::string& sql, int mission, int count) {
  constexpr std::array<std::string_view, 3> kKinds = {"Radius", "ABL", "Both"};
  for (int i = 0; i < count; ++i) {
    Insert(sql, "LookoutPoints",
           {Number(mission), Number(10 * i), Number(-10 * i), i % 2 == 0 ? "0" : "-1",
            Text(kKinds[static_cast<size_t>(i) % kKinds.size()]), "300.0", Text("Flag2"), "500.0"});
  }
}

// Six objectives, four of the player's side and two of the Clan's, each with
// two actions.
void ObjectiveRows(std::string& sql, int mission) {
  const std::array<std::array<std::string, 6>, 7> kActions = {{
      {"'Destroy Enemy'", "'All'", "NULL", "NULL", "NULL", "NULL"},
      {"'Guard Ally'", "'Any'", "NULL", "'2'", "NULL", "NULL"},
      {"'Move to Area'", "'1200'", "'800'", "'150'", "'Anytime'", "'Yes'"},
      {"'Destroy Num Objects'", "NULL", "NULL", "'ALL'", "NULL", "NULL"},
      {"'Capture Structure'", "'1'", "'2'", "'Yes'", "'3'", "NULL"},
      {"'ABL SUCCESS'", "'Flag1'", "NULL", "NULL", "'Anytime'", "NULL"},
      {"'ABL SUCCESS'", "'Flag1'", "NULL", "NULL", "'Anytime'", "NULL"},
  }};
  for (int j = 0; j < 6; ++j) {
    long objective_id = mission * 10L + j;
    Insert(sql, "Objectives",
           {Number(mission), Number(objective_id), j < 4 ? "2" : "1", Number(j + 1),
            Text("Objective " + Number(j)), Number(j % 3), j % 2 == 0 ? "900.0" : "-1.0", "0",
            Number(10 * j), j == 3 ? "-1" : "0", j % 2 == 0 ? "-1" : "0"});
    for (int a = j; a <= j + 1; ++a) {
      const auto& action = kActions[static_cast<size_t>(a)];
      Insert(sql, "ObjectiveScripting",
             {Number(mission), Number(objective_id), action[0], action[1], action[2], action[3],
              action[4], action[5]});
    }
  }
}

void MissionRows(std::string& sql, int mission, int units, long& next_entry, long& next_structure) {
  Insert(sql, "NewMissions",
         {Number(mission),
          Text("Scale " + Number(mission)),
          Text("scale" + Number(mission)),
          "0",
          "2",
          "3",
          "1",
          "1",
          "NULL",
          "NULL",
          "NULL",
          "NULL",
          Text("scale"),
          Text("Garotte"),
          "2",
          Text("scale.txt"),
          "9000",
          "1800",
          "20",
          Text("scaleParams")});
  const std::array<std::string_view, 3> kFormations = {"Diamond", "Column", "Line"};
  for (int zone = 0; zone < 4; ++zone) {
    Insert(sql, "PlayerEntryPoints",
           {Number(mission), "4", Number(100 * zone), Number(-100 * zone),
            Text(kFormations[static_cast<size_t>(zone) % kFormations.size()]), Number(zone * 45),
            "1.5"});
  }
  int trains = units * 3 / 100;
  int allied = units * 7 / 100;
  int inner_sphere = (units - trains - allied) / 2;
  int clan = units - trains - allied - inner_sphere;
  UnitWriter writer(sql, mission, next_entry);
  writer.Side("Inner Sphere", inner_sphere);
  writer.Side("Clan", clan);
  writer.Side("Other", allied);
  writer.Trains(trains);
  StructureRows(sql, mission, units / 20, next_structure);
  LookoutRows(sql, mission, units / 100 + 1);
  ObjectiveRows(sql, mission);
}

}  // namespace

std::string ScaleCampaignRows(const ScaleCampaign& campaign) {
  std::string sql = "BEGIN TRANSACTION;\n";
  TypeRows(sql);
  long next_entry = 1;
  long next_structure = 1;
  for (int mission = 1; mission <= campaign.missions; ++mission) {
    MissionRows(sql, mission, campaign.units, next_entry, next_structure);
  }
  return sql + "COMMIT;\n";
}

std::string WriteScaleCampaign(const std::string& path, const ScaleCampaign& campaign) {
  return MissionDatabaseAt(path, ScaleCampaignRows(campaign));
}

}  // namespace quorvane::testing
