#pragma once

// libmdb's C interface; glib must come first.
#include <glib.h>
// clang-format off
#include <mdbtools.h>
// clang-format on

#include <string>
#include <vector>

#include "database/column_type.h"
#include "platform/variant.h"

namespace quorvane::db {

// The offset bits of a row pointer on a data page (the top bits are flags).
constexpr int kJetRowOffsetMask = 0x1fff;
constexpr int kJetDeletedRow = 0x4000;
// A slot that points to a row stored elsewhere; libmdb reads it in place.
constexpr int kJetLookupRow = 0x8000;

ColumnType JetColumnType(int mdb_type);

// The value of one field of the row on the current data page (mdb->pg_buf),
// as libmdb split the row into fields. `file_size` bounds memo lengths.
// Throws RuntimeError for a field whose bytes are damaged.
Variant DecodeJetField(MdbHandle* mdb, const MdbColumn& column, const MdbField& field,
                       size_t file_size);

}  // namespace quorvane::db
