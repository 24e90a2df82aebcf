#pragma once

#include <ostream>
#include <string>

namespace quorvane::cli {

// `convert SOURCE TARGET`: copies every table of a database into a new SQLite
// twin, or into its SQL text when TARGET ends in ".sql". An existing TARGET is
// replaced only with `force`, and only when it is a SQLite database or .sql
// text; the source itself never is. The target appears whole or not at all.
// Returns the exit status.
int ConvertDatabase(const std::string& source, const std::string& target, bool force,
                    std::ostream& err);

}  // namespace quorvane::cli
