#pragma once

#include <memory>
#include <string>

#include "database/table_source.h"

namespace quorvane::db {

// Opens a SQLite mission database read-only, with every committed change
// (see OpenCheckedSqlite). Each column's declared Access type name decides the
// subtype of its values. Throws OpenError when the file is not a sound SQLite
// database or cannot be read now.
std::unique_ptr<TableSource> OpenSqliteSource(const std::string& path);

}  // namespace quorvane::db
