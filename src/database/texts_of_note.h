#pragma once

#include <vector>

#include "database/database.h"
#include "database/table_data.h"

namespace quorvane::db {

// Adds the texts of note of a table's cells (see TextOfNote), row by row.
void GatherTextsOfNote(const TableData& table, std::vector<TextOfNote>& found);

}  // namespace quorvane::db
