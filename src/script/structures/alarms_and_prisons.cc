// Perimeter alarms and prisons.

#include <array>
#include <string>

#include "script/abl_text.h"
#include "script/script_session.h"
#include "script/structures/behaviours.h"
#include "script/structures/linked_objects.h"

namespace quorvane {
namespace {

// Which missions and alarms a line of the alarm code belongs to.
enum class AlarmLineUse {
  kEvery,
  kSinglePlayer,  // the alarm sets the sound and alarm flags itself
  kMultiplayer,   // the alarm asks the message handler to set them
  kNeutral,       // only a neutral alarm, which never fires
  kWatch,         // the test for intruders of the watched side
};

using AlarmLine = ConditionalLine<AlarmLineUse>;

// The alarm code of one perimeter alarm. "{I}TripTime" holds the game time
// an intrusion began, -1.0 while there is none; after 12 seconds the perimeter
// alarm turns into the base's general alarm.
constexpr std::array<AlarmLine, 41> kAlarmLines = {{
    {AlarmLineUse::kEvery, 1, "if (isAlive({I})) then"},
    {AlarmLineUse::kEvery, 6, "getObjectPosition({I},aPoint);"},
    {AlarmLineUse::kNeutral, 1, "// neutral perimeter alarm do nothing"},
    {AlarmLineUse::kWatch, 1, ""},
    {AlarmLineUse::kEvery, 11, "PerimeterBreach = TRUE;"},
    {AlarmLineUse::kEvery, 11, "SetRevealed(1,10.0,aPoint);"},
    {AlarmLineUse::kEvery, 11, "if ({I}TripTime == -1.0) then"},
    {AlarmLineUse::kEvery, 16, "{I}TripTime = gametime;"},
    {AlarmLineUse::kEvery, 16, "if (NOT PlayPASound) then"},
    {AlarmLineUse::kMultiplayer, 22, "SendMessage(MSG_PERIMETER_ALARM_ON,0);"},
    {AlarmLineUse::kMultiplayer, 22, "handleMessage;"},
    {AlarmLineUse::kSinglePlayer, 22, "PlayPASound = TRUE;"},
    {AlarmLineUse::kEvery, 16, "endif;"},
    {AlarmLineUse::kEvery, 11, "else"},
    {AlarmLineUse::kEvery, 16, "if (gametime - {I}TripTime >= 12.0) then"},
    {AlarmLineUse::kEvery, 21, "SetRevealed(2,100.0,aPoint);"},
    {AlarmLineUse::kEvery, 21, "if (NOT GeneralAlarm) then"},
    {AlarmLineUse::kMultiplayer, 27, "SendMessage(MSG_GENERAL_ALARM_ON,0);"},
    {AlarmLineUse::kMultiplayer, 27, "handleMessage;"},
    {AlarmLineUse::kSinglePlayer, 27, "GeneralAlarm = TRUE;"},
    {AlarmLineUse::kEvery, 21, "endif;"},
    {AlarmLineUse::kEvery, 21, "if (NOT PlayGASound) then"},
    {AlarmLineUse::kMultiplayer, 27, "SendMessage(MSG_GENERAL_ALARM_ON,0);"},
    {AlarmLineUse::kMultiplayer, 27, "handleMessage;"},
    {AlarmLineUse::kSinglePlayer, 27, "PlayGASound = TRUE;"},
    {AlarmLineUse::kSinglePlayer, 27, "PlayPASound = FALSE;"},
    {AlarmLineUse::kEvery, 21, "endif;"},
    {AlarmLineUse::kEvery, 16, "else"},
    {AlarmLineUse::kEvery, 21, "if (NOT PlayPASound) then"},
    {AlarmLineUse::kMultiplayer, 27, "SendMessage(MSG_PERIMETER_ALARM_ON,0);"},
    {AlarmLineUse::kMultiplayer, 27, "handleMessage;"},
    {AlarmLineUse::kSinglePlayer, 27, "PlayPASound = TRUE;"},
    {AlarmLineUse::kEvery, 21, "endif;"},
    {AlarmLineUse::kEvery, 16, "endif;"},
    {AlarmLineUse::kEvery, 11, "endif;"},
    {AlarmLineUse::kEvery, 6, "else"},
    {AlarmLineUse::kEvery, 11,
     "if (({I}TripTime <> -1.0) AND (gametime - {I}TripTime < 12.0)) then"},
    {AlarmLineUse::kEvery, 16, "{I}TripTime = -1.0;"},
    {AlarmLineUse::kEvery, 11, "endif;"},
    {AlarmLineUse::kEvery, 6, "endif;"},
    {AlarmLineUse::kEvery, 1, "endif;"},
}};

// The side a Clan alarm (1) or an Inner Sphere alarm (2) watches for; any
// other alarm watches nobody.
std::string_view WatchLine(const Variant& alignment) {
  if (EqualsNumber(alignment, 1))
    return "if (inHotSpot(PLAYER_FORCE,aPoint[0],aPoint[1],100)) then";
  if (EqualsNumber(alignment, 2)) return "if (inHotSpot(CLAN_FORCE,aPoint[0],aPoint[1],100)) then";
  return "if (1 == 0 ) then";
}

bool IsNeutralAlarm(const Variant& alignment) {
  return !EqualsNumber(alignment, 1) && !EqualsNumber(alignment, 2);
}

bool AlarmLineApplies(AlarmLineUse use, const StructureContext& alarm) {
  switch (use) {
    case AlarmLineUse::kSinglePlayer:
      return !alarm.multiplayer;
    case AlarmLineUse::kMultiplayer:
      return alarm.multiplayer;
    case AlarmLineUse::kNeutral:
      return IsNeutralAlarm(alarm.alignment);
    case AlarmLineUse::kEvery:
    case AlarmLineUse::kWatch:
      return true;
  }
  return true;
}

}  // namespace

void WritePerimeterAlarm(StructureContext& alarm) {
  alarm.WriteEmptyLine();
  alarm.counts.perimeter_alarms = CheckedInteger(alarm.counts.perimeter_alarms + 1);
  DeclareScriptVariable(alarm.session, "static real", alarm.identifier + "TripTime", "-1.0");
  for (const AlarmLine& line : kAlarmLines) {
    if (!AlarmLineApplies(line.when, alarm)) continue;
    if (line.when == AlarmLineUse::kWatch) {
      alarm.Write(WatchLine(alarm.alignment));
    } else {
      alarm.Write(line.placed.column, alarm.Named(line.placed.text));
    }
  }
}

void WritePrison(StructureContext& prison) {
  ForEachLinkedObject(prison, [&](const LinkedObject& prisoner) {
    prison.Init("addPrisoner(" + prison.identifier + "," + JoinedForm(prisoner.AssignmentIndex()) +
                ")");
  });
}

}  // namespace quorvane
