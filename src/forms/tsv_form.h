#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "database/database.h"
#include "platform/variant.h"

namespace quorvane::db {

// The text form of a value in a table dump: "\N" for Null, Yes/No as 1 or 0,
// Single and Double with the fewest digits that read back to the same value
// (plain for exponents -5 to 15, else "1e+308"), Currency with four decimals,
// Date/Time as "YYYY-MM-DD HH:MM:SS", text with backslash, tab, LF and CR
// written as \\ \t \n \r.
std::string TsvForm(const Variant& value);
// The same form, appended to `out`.
void AppendTsvForm(const Variant& value, std::string& out);

// Writes one table: a "## <table>\t<column>\t..." line, a
// "#types\t<Access type>\t..." line, then one line per row in stored order.
// Throws RuntimeError when there is no such table; the rows formed before
// a damaged row are written before the error leaves.
void WriteTableTsv(Database& database, std::string_view table, std::ostream& out);

}  // namespace quorvane::db
