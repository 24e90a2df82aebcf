#pragma once

#include <span>
#include <string_view>

namespace quorvane::brain_text {

// The fixed passages of the mission brain module, in the order they appear in
// the module. Each entry is one whole line; an empty entry is an empty line.
using TextLines = std::span<const std::string_view>;

// The rule that closes the module (two slashes and 66 asterisks).
inline constexpr std::string_view kClosingRule =
    "//******************************************************************";
// The rules around the mission name and date.
inline constexpr std::string_view kHeaderRule =
    "     //--------------------------------------------------------";

// "const" and the engine's constants.
extern const TextLines kConstants;
// Multiplayer only: the codes of the fixed cases of handleMessage ...
extern const TextLines kMessageCodes;
// ... and the scenario results that the end music case tells apart.
extern const TextLines kVictoryCodes;

extern const TextLines kTypeDefinitions;

// "var" up to the _VAR include line.
extern const TextLines kVariablesHead;
extern const TextLines kScenarioVariables;
// Multiplayer only: the Clan side's count of decided primary objectives.
extern const TextLines kClanVictoryVariable;
extern const TextLines kWorkVariables;

// "function init;" up to its first statement.
extern const TextLines kInitFunctionHead;
extern const TextLines kScenarioInit;
extern const TextLines kClanVictoryInit;  // multiplayer only
extern const TextLines kWorkInit;

// Multiplayer only: the comment above the _MP include line.
extern const TextLines kEventHandlingHead;

// The main code up to the server test: the game clock and the alarm sounds.
extern const TextLines kMainCodeHead;
// Multiplayer only: everything after it runs on the server.
extern const TextLines kServerCodeHead;

extern const TextLines kStructureComment;
extern const TextLines kLookoutComment;
extern const TextLines kForceDeadChecks;

// Objectives failed when a force is dead: single-player (player's force) ...
extern const TextLines kPlayerDeadHead;
// ... or multiplayer (each team).
extern const TextLines kPlayerTeamDeadHead;
extern const TextLines kClanTeamDeadHead;
extern const TextLines kForceDeadTail;

extern const TextLines kResolutionHead;

// The exit timer started by the all-decided tests: set on the spot
// (single-player) or through its message (multiplayer).
extern const TextLines kSetExitTimer;
extern const TextLines kSendExitTimer;
// The same inside the test of a failed primary objective; the multiplayer
// form also closes the test of the other side's victory.
extern const TextLines kPrimaryFailedSetTimer;
extern const TextLines kPrimaryFailedSendTimer;

extern const TextLines kScenarioEndHead;
extern const TextLines kEndMusicMessage;  // multiplayer
extern const TextLines kServerCodeTail;   // multiplayer
extern const TextLines kReturnResult;

}  // namespace quorvane::brain_text
