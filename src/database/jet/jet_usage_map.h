#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "database/jet/jet_page.h"

namespace quorvane::db {

// The pages a table's usage map marks as the table's, in page order. The
// map is the row that `pointer` names: a bitmap held in the row from a
// start page on (type 0), or a list of bitmap pages, each covering its own
// stretch of the file, where a zero entry is a stretch without pages
// (type 1). A map of another type lists every page of the file, for the
// caller to pick the table's by their owner. nullopt when the map's row is
// missing or names a page past the end of the file.
std::optional<std::vector<uint32_t>> JetUsageMapPages(const JetPages& pages, uint32_t pointer);

}  // namespace quorvane::db
