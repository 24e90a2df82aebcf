#pragma once

#include <string>
#include <vector>

#include "picture/mission_model.h"

namespace quorvane::picture {

// What checking the mission said: the lines it printed and its verdict.
struct CheckOutcome {
  std::vector<std::string> lines;
  std::string verdict;
  bool compiles = false;
};

struct ReportedMission {
  MissionModel mission;
  CheckOutcome check;
};

// One HTML page (UTF-8, inline style and pictures, no external resources)
// with a table of contents and, per mission, what checking it said, its map,
// its forces, objectives with their actions in words, structures and lookout
// points. The page is also well-formed XML. Every database text is escaped.
std::string MissionReportHtml(const std::string& title,
                              const std::vector<ReportedMission>& missions);

}  // namespace quorvane::picture
