// Temporary stand-in until the database readers land: delete this file when
// OpenDatabase is implemented.
#include "database/database.h"

namespace quorvane::db {

std::unique_ptr<Database> OpenDatabase(const std::string& path) {
  throw OpenError("no database reader is built in yet: " + path);
}

}  // namespace quorvane::db
