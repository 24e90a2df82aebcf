#pragma once

#include "database/column_type.h"
#include "database/jet/jet_page.h"
#include "database/jet/jet_row.h"
#include "database/jet/jet_table_def.h"
#include "platform/variant.h"

namespace quorvane::db {

ColumnType JetColumnType(JetType type);

// The value of one field of a row. Long values stored outside the row are
// read from `pages`; text of a Jet 3 file is in `code_page`. Throws
// RuntimeError for a field whose bytes are damaged.
Variant DecodeJetField(const JetPages& pages, const JetColumn& column, const JetFieldBytes& field,
                       unsigned code_page);

// The text of a GUID's 16 bytes: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", the
// first three groups stored little-endian.
std::string JetGuidText(const JetBytes& bytes);

// The text of a Decimal's 17 bytes (a sign byte, then a 128-bit magnitude
// as four little-endian 32-bit words, the highest first) with `scale` digits
// after the point; nullopt for a scale past 28.
std::optional<std::string> JetDecimalText(const JetBytes& bytes, unsigned scale);

}  // namespace quorvane::db
