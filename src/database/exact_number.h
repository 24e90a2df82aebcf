#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::db {

// The fewest decimal digits that read back as the same double ("0.1",
// "1e+308").
std::string ShortestText(double value);

// A decimal text ("12.3456", "-0.0001", "1e+15") as ten-thousandths, rounded
// half away from zero. Nullopt when the text is not a decimal number or the
// value is outside the Currency range.
std::optional<int64_t> ScaledCurrency(std::string_view text);

// True for an optional sign, digits with an optional point, and an optional
// exponent.
bool IsDecimalText(std::string_view text);

}  // namespace quorvane::db
