#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Reads a whole text as a number the way the runtime converts a text value:
// blanks around it, an optional sign, a decimal number with an optional
// exponent (E or D), or &H / &O with hexadecimal or octal digits. Returns
// nullopt when the text is empty or not a number.
std::optional<double> ParseNumberText(std::string_view text);

// The leading number of a text (see variant.h, LeadingNumber).
double ReadLeadingNumber(std::string_view text);

// A floating value rounded to `digits` significant digits, in plain decimal.
std::string PlainDecimal(double value, int digits);

}  // namespace quorvane
