#pragma once

namespace quorvane {

struct FitBuild;

// Writes the single-player [Campaign] section: briefing, map, tonnage limit
// and the number of drop zones (counted here).
void WriteCampaignSection(FitBuild& build);
// Writes the multiplayer [Campaign] section: the drop-zone count, one
// briefing file per side, map and tonnage limit. No empty line follows it.
void WriteMultiplayerCampaignSection(const FitBuild& build);

}  // namespace quorvane
