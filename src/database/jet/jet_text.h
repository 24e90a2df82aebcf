#pragma once

#include <string>
#include <string_view>

namespace quorvane::db {

// Text comparison of the mission database: case is ignored, for every letter
// Windows-1252 and Unicode know (so "é" equals "É", "aTrain" equals "ATRAIN").
// Ordering puts accented letters beside their base letter ("e" < "é" < "f").

// The case-folded form: two texts are equal exactly when their folded forms
// are. Also used for table and field names.
std::string FoldCase(std::string_view text);

// -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b);

}  // namespace quorvane::db
