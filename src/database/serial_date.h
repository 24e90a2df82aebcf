#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::db {

// Date/Time values are days since 1899-12-30 with the time of day as the
// fraction; before that day the days count down while the time still counts
// up (-1.25 is 1899-12-29 06:00:00).

// Reads "YYYY-MM-DD HH:MM:SS" (also with a "T" between the parts), "YYYY-MM-DD"
// or "HH:MM:SS" (a time on 1899-12-30). Nullopt for any other text.
std::optional<double> SerialFromDateText(std::string_view text);

// "YYYY-MM-DD HH:MM:SS", to the nearest second. Nullopt when the value lies
// outside the years 1 to 9999.
std::optional<std::string> DateTimeText(double serial_days);

}  // namespace quorvane::db
