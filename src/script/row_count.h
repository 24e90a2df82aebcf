#pragma once

#include <cstdint>
#include <string>

#include "database/database.h"

namespace quorvane {

// The number of rows of a record set that meet the criteria, found by
// find-first and find-next; a count beyond the 16-bit range is an overflow.
int16_t CountMatchingRows(db::Recordset& rows, const std::string& criteria);

}  // namespace quorvane
