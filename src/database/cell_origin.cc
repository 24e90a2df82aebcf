#include "database/cell_origin.h"

#include <array>
#include <string_view>

#include "database/jet/jet_text.h"

namespace quorvane::db {
namespace {

struct TableKey {
  std::string_view table;
  std::string_view key;
};

// The field that identifies a row of each mission table that has one.
constexpr auto kTableKeys = std::to_array<TableKey>({
    {"NewMissions", "MissionID"},
    {"MissionAssignments", "UniqueEntry"},
    {"Mechs", "ID"},
    {"Vehicles", "VehicleID"},
    {"NewMW", "MWID"},
    {"Objectives", "ObjectiveID"},
    {"MissionStructures", "StructureID"},
});

std::string KeyText(const Variant& value) {
  return value.IsNull() ? std::string("Null") : JoinedForm(value);
}

}  // namespace

std::string DescribeCell(const TableData& table, TableData::Place place) {
  std::string text = table.name() + "." + table.columns()[place.column].name + ", ";
  for (const TableKey& key : kTableKeys) {
    if (FoldCase(key.table) != FoldCase(table.name())) continue;
    if (auto column = table.FindColumn(key.key)) {
      return text + table.columns()[*column].name + " " + KeyText(table.Cell(place.row, *column));
    }
  }
  return text + "row " + std::to_string(place.row + 1);
}

}  // namespace quorvane::db
