#include "run/mission_kind.h"

namespace quorvane {

MissionKind DecideMissionKind(const Variant& multiplayer, MultiplayerTest test) {
  if (test == MultiplayerTest::kByTruth) {
    if (multiplayer.IsTrue()) return MissionKind::kMultiplayer;
    if (multiplayer.IsNumeric() && multiplayer.ToDouble() == 0) return MissionKind::kSinglePlayer;
    return MissionKind::kNeither;
  }
  if (EqualsNumber(multiplayer, -1)) return MissionKind::kMultiplayer;
  if (EqualsNumber(multiplayer, 0)) return MissionKind::kSinglePlayer;
  return MissionKind::kNeither;
}

}  // namespace quorvane
