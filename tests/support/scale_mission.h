#pragma once

#include <string>

namespace quorvane::testing {

// Generated single-player missions of any size, shaped like the Jet scale
// fixtures: units on every side in force groups of twelve, allied units,
// trains, elemental carriers with their elementals, captureable units, units
// created or activated on approach, structures of every behaviour with their
// linked objects and salvage, lookout points, and six objectives whose
// actions reach units, structures, areas and designer flags. The missions
// compile without a message.
struct ScaleCampaign {
  int missions = 1;  // numbered from 1; mission n writes "scale<n>"
  int units = 1000;  // assignments per mission, at least 24
};

// The INSERT statements of a campaign, in one transaction.
std::string ScaleCampaignRows(const ScaleCampaign& campaign);

// A SQLite mission database holding the campaign, written at `path` (which
// must not exist yet); returns the path.
std::string WriteScaleCampaign(const std::string& path, const ScaleCampaign& campaign);

}  // namespace quorvane::testing
