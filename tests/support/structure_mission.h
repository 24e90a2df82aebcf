#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane::structure_test {

// A MissionStructures row of the test mission; unless placed otherwise the
// structure stands at Block 2, Vertex `id`, Number 0 (object 10496 + 8 × id).
struct StructureRow {
  int id = 1;
  std::optional<std::string> identifier = "S1";  // none: Null
  std::optional<std::string> type{};             // BuildingType; none: Null
  std::optional<int> alignment = 2;
  bool captureable = false;
  std::optional<double> damage = 0;
  bool captured = false;
  std::optional<std::string> name{};  // newtagname
  int contact = 0;
  std::optional<std::array<int, 3>> position{};  // Block, Vertex, Number
};

// A StructureAssociates row: a linked object at Block 0, Vertex 0, Number
// `number` (object 4096 + number), or a prisoner without map position.
struct LinkRow {
  int structure = 1;
  int number = 1;
  bool inactive = false;
  std::optional<int> prisoner{};
};

struct UnitRow {
  int unique_entry = 1;
  std::string alignment = "Clan";
  int force_group = 1;
  int role = 1;
  bool captureable = true;
};

struct SalvageRow {
  int structure = 1;
  int item = 1;
  int quantity = 1;
};

// A mission with only what the structure include reads. Every database also
// holds a structure, a linked object, a salvage row and a captureable unit of
// another mission, which must never show.
struct StructureMission {
  bool multiplayer = false;
  std::vector<StructureRow> structures{};
  std::vector<LinkRow> links{};
  std::vector<UnitRow> units{};
  std::vector<SalvageRow> salvage{};
};

struct StructureOutput {
  bool written = false;
  std::vector<std::string> str;   // _STR lines after its head
  std::vector<std::string> var;   // _VAR lines after its head
  std::vector<std::string> init;  // _INIT lines after its head
  // The statements of each numbered handleMessage case, without the column
  // stop of the case.
  std::vector<std::vector<std::string>> cases;
  std::vector<std::string> messages;
};

// Builds the mission's database, opens the includes as the script run does,
// writes the structure include and closes everything.
StructureOutput WriteStructures(const StructureMission& mission);

// Lines as the structure tables give them: {column, text}; column 0 is an
// empty line.
std::vector<std::string> Placed(std::initializer_list<std::pair<int, std::string_view>> lines);

}  // namespace quorvane::structure_test
