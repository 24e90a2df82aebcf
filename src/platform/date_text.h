#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// A date value (days since 1899-12-30, the time of day as the fraction) as
// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS", or "HH:MM:SS" for a time without date.
std::string DateText(double serial_days);

// The date of a header line: from `date` ("YYYY-MM-DD") when it is given,
// otherwise from SOURCE_DATE_EPOCH when it is set (and valid), otherwise today's.
std::string CreationDate(const std::string& date = "");

// Whether `text` is a date a host may set for the header lines: "YYYY-MM-DD",
// a real calendar date.
bool IsCreationDate(std::string_view text);

// True for a valid SOURCE_DATE_EPOCH: a non-negative whole number of seconds,
// digits only, whose day is in the years up to 9999.
bool IsSourceDateEpoch(std::string_view text);

}  // namespace quorvane
