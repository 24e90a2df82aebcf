#pragma once

#include <string_view>

#include "platform/line.h"

namespace quorvane {

// The rule line that opens the brain module and each of its include files:
// two slashes and 81 asterisks.
inline constexpr std::string_view kRuleLine =
    "//*********************************************************************************";

// A line of a fixed line list: the column its text starts in, or 0 for an
// empty line.
struct PlacedLine {
  int column;
  std::string_view text;
};

// A line of a fixed line list that applies only where `when` says: to one
// kind of mission, to one side's alarm, or to one step of a handler case.
template <typename When>
struct ConditionalLine {
  constexpr ConditionalLine(When when_in, int column, std::string_view text)
      : when(when_in), placed{column, text} {}

  When when;
  PlacedLine placed;
};

// The line a placed line stands for, its text written as it is.
inline Line ToLine(const PlacedLine& line) {
  return line.column == 0 ? Line() : Line::At(line.column, line.text);
}

}  // namespace quorvane
