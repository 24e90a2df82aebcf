#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/variant.h"

namespace quorvane::picture {

// Text for XML and HTML content and attribute values: the five markup
// characters become entities, a control character (which XML cannot carry)
// becomes its visible picture (U+2400 + code: "\x01" shows as "␁") and a byte
// that is not part of valid UTF-8 becomes U+FFFD. Tab, line feed and carriage
// return are kept.
std::string Escaped(std::string_view text);

// A coordinate or length for markup: at most two decimals, no trailing
// zeros, never "-0" ("12.5", "-3", "0.33").
std::string Number(double value);

// A database value as a person reads it: its plain form, "Null" for Null,
// "" for Empty. Never throws.
std::string ValueText(const Variant& value);

// The value as a number for drawing: a finite number, or a text that reads
// as one. Null, Empty, other texts, NaN and infinities give none.
std::optional<double> NumberOf(const Variant& value);

// The value is that number. Unlike the compiler's comparisons it never
// raises: a text that is not a number, a Null or an Empty is no number.
bool IsNumber(const Variant& value, double number);

}  // namespace quorvane::picture
