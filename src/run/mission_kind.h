#pragma once

#include "platform/variant.h"

namespace quorvane {

// Whether a mission is played by one player against the computer or by
// several players against each other, from its NewMissions Multiplayer field.
enum class MissionKind { kSinglePlayer, kMultiplayer, kNeither };

// How a step reads the Multiplayer field. Steps of the compiler read it in two
// ways, and each keeps its own because they disagree on values other than
// True, False and Null.
enum class MultiplayerTest {
  // Compared as a number: -1 (True) is multiplayer, 0 (False) single-player,
  // anything else neither. A text is read as a number. The FIT writer, the
  // brain's test for single-player failing and the `list` command decide so.
  kByNumber,
  // Multiplayer only when the field is True (a Boolean True or the number -1;
  // a text never is), single-player when it is a number equal to 0, neither
  // otherwise; never raises an error. The script writers decide so.
  kByTruth,
};

// The one place that decides a mission's kind.
MissionKind DecideMissionKind(const Variant& multiplayer, MultiplayerTest test);

}  // namespace quorvane
