#include "database/jet_source.h"

#include "database/database.h"

namespace quorvane::db {

std::unique_ptr<TableSource> OpenJetSource(const std::string& path, int jet_version) {
  throw OpenError("Jet " + std::to_string(jet_version) + " files are not read yet: " + path);
}

}  // namespace quorvane::db
