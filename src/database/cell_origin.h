#pragma once

#include <string>

#include "database/table_data.h"

namespace quorvane::db {

// Names a cell of a table for a run-time error: the table and field, and the
// row by its key where the mission tables have one ("MissionAssignments.Rotation,
// UniqueEntry 77"), else by its stored position ("ObjectiveScripting.ActionParm1,
// row 12", counted from 1).
std::string DescribeCell(const TableData& table, TableData::Place place);

}  // namespace quorvane::db
