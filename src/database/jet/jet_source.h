#pragma once

#include <memory>
#include <string>

#include "database/table_source.h"

namespace quorvane::db {

// Opens a Jet 3 or Jet 4 file read-only. The file is read a page at a time,
// not copied: only the pages a table's rows need are read. Throws OpenError
// when the file cannot be read as one.
std::unique_ptr<TableSource> OpenJetSource(const std::string& path, int jet_version);

}  // namespace quorvane::db
