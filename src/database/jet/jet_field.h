#pragma once

// libmdb's C interface; glib must come first.
#include <glib.h>
// clang-format off
#include <mdbtools.h>
// clang-format on

#include <string>
#include <vector>

#include "database/column_type.h"
#include "database/jet/jet_page.h"
#include "database/jet/jet_row.h"
#include "platform/variant.h"

namespace quorvane::db {

ColumnType JetColumnType(int mdb_type);

// The value of one field of a row. Memo text stored in long-value rows is
// read from `pages`; libmdb converts text and decimals. Throws RuntimeError
// for a field whose bytes are damaged.
Variant DecodeJetField(MdbHandle* mdb, const JetPages& pages, const MdbColumn& column,
                       const JetFieldBytes& field);

}  // namespace quorvane::db
