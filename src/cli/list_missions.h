#pragma once

#include <ostream>
#include <string>

namespace quorvane::cli {

// Prints the missions of a database, one per line: number, name, file name
// and kind, in columns aligned by characters.
void ListMissions(const std::string& database, std::ostream& out, std::ostream& err);

// Prints the missions as a JSON array of objects with the keys "mission",
// "name", "file" and "multiplayer" (null where the field is Null).
void ListMissionsJson(const std::string& database, std::ostream& out, std::ostream& err);

}  // namespace quorvane::cli
