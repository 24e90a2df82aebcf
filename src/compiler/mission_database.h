#pragma once

#include <string>

namespace quorvane {

struct RunState;

// Forms the database path from its folder and file name (".MDB" appended to a
// name that ends in neither ".mdb", ".MDB" nor a SQLite ending) and opens it.
// A missing file or one that cannot be opened is reported and refused.
bool OpenMissionDatabase(RunState& run, const std::string& database_path,
                         const std::string& database_name);

// Checks that the output folder exists and keeps it, ending in "/".
bool SetOutputPath(RunState& run, const std::string& output_path);

// The database path that OpenMissionDatabase opens for a folder and file name.
std::string ResolveDatabasePath(const std::string& database_path, const std::string& database_name);

}  // namespace quorvane
