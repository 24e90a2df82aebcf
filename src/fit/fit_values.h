#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/variant.h"

namespace quorvane {

// Value tests and arithmetic of the FIT writer on field values, with the
// runtime's rules for Null: a Null is never equal and never unequal, and
// arithmetic with a Null gives Null.

// The value compares unequal to 0; a Null counts as zero.
bool IsNotZero(const Variant& value);
// The value is not Null and differs from the text (exact, case included).
bool DiffersFromText(const Variant& value, std::string_view text);
// A Null, or a text that is empty once blanks at both ends are trimmed.
bool IsNullOrBlank(const Variant& value);

// value * factor and value + addend with the result subtype of the runtime:
// whole numbers stay whole (a 16-bit result widens to 32 bits, a 32-bit one to
// a Double, instead of overflowing), a Single stays a Single, a text is read
// as a Double, Empty counts as 0 and Null gives Null.
Variant TimesWhole(const Variant& value, int32_t factor);
Variant PlusWhole(const Variant& value, int32_t addend);
// The absolute value, of the same subtype; a Yes/No value gives 1 or 0.
Variant Absolute(const Variant& value);

}  // namespace quorvane
