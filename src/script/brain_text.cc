#include "script/brain_text.h"

namespace quorvane::brain_text {
namespace {

constexpr std::string_view kConstantsLines[] = {
    "//------------------------------------------------------------------",
    "//",
    "//     Constant Definitions",
    "//",
    "//------------------------------------------------------------------",
    "     const",
    "",
    "          #include_ \"misconst.abi\"",
    "",
};

constexpr std::string_view kMessageCodesLines[] = {
    "          // Message Codes",
    "          MSG_GENERAL_ALARM_ON = 255;",
    "          MSG_GENERAL_ALARM_OFF = 254;",
    "          MSG_PERIMETER_ALARM_ON = 253;",
    "          MSG_PERIMETER_ALARM_OFF = 252;",
    "          MSG_SET_EXIT_TIMER = 251;",
    "          MSG_PLAY_END_MUSIC = 250;",
};

constexpr std::string_view kVictoryCodesLines[] = {
    "",
    "          // Multiplayer Victory Codes",
    "          INNER_SPHERE_VICTORY = 1;",
    "          CLAN_VICTORY = 2;",
    "          JOINT_LOSS = 3;",
    "          JOINT_VICTORY = 4;",
};

constexpr std::string_view kTypeDefinitionsLines[] = {
    "//------------------------------------------------------------------",
    "//",
    "//     Type Definitions",
    "//",
    "//------------------------------------------------------------------",
    "     type",
    "",
    "",
};

constexpr std::string_view kVariablesHeadLines[] = {
    "//------------------------------------------------------------------",
    "//",
    "//     Variable Declarations",
    "//",
    "//------------------------------------------------------------------",
    "      var",
    "",
};

constexpr std::string_view kScenarioVariablesLines[] = {
    "            static integer      ScenarioResult;",
    "            eternal boolean     ExitTimerSet;",
    "            static integer      VictoryLevel;",
};

constexpr std::string_view kClanVictoryVariableLines[] = {
    "            static integer      ClanVictoryLevel;",
};

constexpr std::string_view kWorkVariablesLines[] = {
    "            char[40]            dstring;",
    "            eternal real        gametime;",
    "            static real         nextsecond;",
    "            integer             x;",
    "            integer             y;",
    "            Position            aPoint;",
    "            eternal boolean     PlayerForceDead;",
    "            eternal boolean     ClanForceDead;",
    "            eternal boolean     AlliedForceDead;",
    "            eternal boolean     GeneralAlarm;",
    "            eternal boolean     Flag1;",
    "            eternal boolean     Flag2;",
    "            eternal boolean     Flag3;",
    "            eternal boolean     Flag4;",
    "            eternal boolean     Flag5;",
    "            eternal boolean     Flag6;",
    "            eternal boolean     Flag7;",
    "            eternal boolean     Flag8;",
    "            eternal boolean     Flag9;",
    "            eternal boolean     Flag10;",
    "            static boolean      PlayPASound;",
    "            static boolean      PlayGASound;",
    "            eternal integer     GeneralAlarmCounter;",
    "            boolean             PerimeterBreach;",
};

constexpr std::string_view kInitFunctionHeadLines[] = {
    "//------------------------------------------------------------------",
    "//",
    "//     Init Function    (automatically run first time through)",
    "//",
    "//------------------------------------------------------------------",
    "function init;",
    "",
    "       code",
    "",
};

constexpr std::string_view kScenarioInitLines[] = {
    "            ScenarioResult = PLAYING;", "            PlayerForceDead = FALSE;",
    "            ClanForceDead = FALSE;",    "            AlliedForceDead = FALSE;",
    "            ExitTimerSet = FALSE;",     "            VictoryLevel = 0; // New Scheme",
};

constexpr std::string_view kClanVictoryInitLines[] = {
    "            ClanVictoryLevel = 0; // New Scheme",
};

constexpr std::string_view kWorkInitLines[] = {
    "            NextSecond = 1.0;",     "            GeneralAlarmCounter = -1;",
    "            GeneralAlarm = FALSE;", "            Flag1 = FALSE;",
    "            Flag2 = FALSE;",        "            Flag3 = FALSE;",
    "            Flag4 = FALSE;",        "            Flag5 = FALSE;",
    "            Flag6 = FALSE;",        "            Flag7 = FALSE;",
    "            Flag8 = FALSE;",        "            Flag9 = FALSE;",
    "            Flag10 = FALSE;",       "            PlayPASound = FALSE;",
    "            PlayGASound = FALSE;",
};

constexpr std::string_view kEventHandlingHeadLines[] = {
    "//****************************",
    "// Multiplayer Event Handling",
    "//****************************",
};

constexpr std::string_view kMainCodeHeadLines[] = {
    "//------------------------------------------------------------------",
    "//",
    "//     Main Code",
    "//",
    "//------------------------------------------------------------------",
    "      code",
    "",
    "            //------------------------------------------------",
    "            // Debug Window Game Clock Second Counter",
    "            // Note:  This is used by some included functions.",
    "            //------------------------------------------------",
    "            gametime = gettime;",
    "            If (gametime >= nextsecond) Then",
    "                  nextsecond = gametime + 1;",
    "                  If (GeneralAlarm) then",
    "                       GeneralAlarmCounter = GeneralAlarmCounter + 1;",
    "                  endif;",
    "                  // dstring = \"Gametime: \";",
    "                  // concat(dstring,gametime);",
    "                  // Print (dstring);",
    "            endif;",
    "            if ((PlayGASound) and (NextSecond == gametime + 1)) then",
    "                  playSoundEffect(GENERAL_ALARM_SOUND);",
    "            endif;",
    "            if (PlayPASound) then",
    "                  playSoundEffect(PERIMETER_ALARM_SOUND);",
    "            endif;",
    "            PerimeterBreach = FALSE;",
    "",
};

constexpr std::string_view kServerCodeHeadLines[] = {
    "         //*********************",
    "         // SERVER CODE",
    "         //*********************",
    "         if (isServer) then",
    "",
};

constexpr std::string_view kStructureCommentLines[] = {
    "            //---------------------------------------",
    "            // Structure",
    "            //---------------------------------------",
};

constexpr std::string_view kLookoutCommentLines[] = {
    "            //---------------------------------------",
    "            // Lookout Points",
    "            //---------------------------------------",
};

constexpr std::string_view kForceDeadChecksLines[] = {
    "            //---------------------------------------",
    "            // Force Dead Checks",
    "            //---------------------------------------",
    "            if (isDeadorFled(PLAYER_FORCE)) then",
    "                  PlayerForceDead = TRUE;",
    "            endif;",
    "            if (isDeadorFled(CLAN_FORCE)) then",
    "                  ClanForceDead = TRUE;",
    "            endif;",
    "            if (isDeadorFled(ALLIED_FORCE)) then",
    "                  AlliedForceDead = TRUE;",
    "            endif;",
    "",
};

constexpr std::string_view kPlayerDeadHeadLines[] = {
    "            //---------------------------------------",
    "            // SET EXIT TIMER IF PLAYER DEAD/DISABLED",
    "            //---------------------------------------",
    "",
    "            if ((NOT ExitTimerSet) AND (PlayerForceDead)) then",
    "                  // Fail any Undecided Player Objectives",
};

constexpr std::string_view kPlayerTeamDeadHeadLines[] = {
    "            //---------------------------------------",
    "            // FAIL OBJECTIVES IF TEAM DIES",
    "            //---------------------------------------",
    "",
    "            if (PlayerForceDead) then",
};

constexpr std::string_view kClanTeamDeadHeadLines[] = {
    "            endif;",
    "",
    "            if (ClanForceDead) then",
};

constexpr std::string_view kForceDeadTailLines[] = {
    "            endif;",
    "",
};

constexpr std::string_view kResolutionHeadLines[] = {
    "            //---------------------------------------",
    "            // Objective Resolution",
    "            //---------------------------------------",
    "",
};

constexpr std::string_view kSetExitTimerLines[] = {
    "                  setTimer(EXIT_TIMER,2.0);",
    "                  ExitTimerSet = TRUE;",
};

constexpr std::string_view kSendExitTimerLines[] = {
    "                  sendMessage(MSG_SET_EXIT_TIMER,0);",
    "                  handleMessage;",
};

constexpr std::string_view kPrimaryFailedSetTimerLines[] = {
    "                              setTimer(EXIT_TIMER,2.0);",
    "                              ExitTimerSet = TRUE;",
};

constexpr std::string_view kPrimaryFailedSendTimerLines[] = {
    "                                    sendMessage(MSG_SET_EXIT_TIMER,0);",
    "                                    handleMessage;",
    "                              endif;",
};

constexpr std::string_view kScenarioEndHeadLines[] = {
    "            //---------------------------------------",
    "            // END SCENARIO",
    "            //---------------------------------------",
    "",
    "            if ((ExitTimerSet) AND (CheckTimer(EXIT_TIMER) == 0.0)) then",
};

constexpr std::string_view kEndMusicMessageLines[] = {
    "",
    "                  sendMessage(MSG_PLAY_END_MUSIC,ScenarioResult);",
    "                  handleMessage;",
};

constexpr std::string_view kServerCodeTailLines[] = {
    "         endif;",
    "         //*********************",
    "         //  End of Server Code",
    "         //*********************",
};

constexpr std::string_view kReturnResultLines[] = {
    "            //---------------------------------------",
    "            // RETURN RESULT",
    "            //---------------------------------------",
    "",
    "            return (ScenarioResult);",
    "endmodule.",
    "//******************************************************************",
};

}  // namespace

constexpr TextLines kConstants = kConstantsLines;
constexpr TextLines kMessageCodes = kMessageCodesLines;
constexpr TextLines kVictoryCodes = kVictoryCodesLines;
constexpr TextLines kTypeDefinitions = kTypeDefinitionsLines;
constexpr TextLines kVariablesHead = kVariablesHeadLines;
constexpr TextLines kScenarioVariables = kScenarioVariablesLines;
constexpr TextLines kClanVictoryVariable = kClanVictoryVariableLines;
constexpr TextLines kWorkVariables = kWorkVariablesLines;
constexpr TextLines kInitFunctionHead = kInitFunctionHeadLines;
constexpr TextLines kScenarioInit = kScenarioInitLines;
constexpr TextLines kClanVictoryInit = kClanVictoryInitLines;
constexpr TextLines kWorkInit = kWorkInitLines;
constexpr TextLines kEventHandlingHead = kEventHandlingHeadLines;
constexpr TextLines kMainCodeHead = kMainCodeHeadLines;
constexpr TextLines kServerCodeHead = kServerCodeHeadLines;
constexpr TextLines kStructureComment = kStructureCommentLines;
constexpr TextLines kLookoutComment = kLookoutCommentLines;
constexpr TextLines kForceDeadChecks = kForceDeadChecksLines;
constexpr TextLines kPlayerDeadHead = kPlayerDeadHeadLines;
constexpr TextLines kPlayerTeamDeadHead = kPlayerTeamDeadHeadLines;
constexpr TextLines kClanTeamDeadHead = kClanTeamDeadHeadLines;
constexpr TextLines kForceDeadTail = kForceDeadTailLines;
constexpr TextLines kResolutionHead = kResolutionHeadLines;
constexpr TextLines kSetExitTimer = kSetExitTimerLines;
constexpr TextLines kSendExitTimer = kSendExitTimerLines;
constexpr TextLines kPrimaryFailedSetTimer = kPrimaryFailedSetTimerLines;
constexpr TextLines kPrimaryFailedSendTimer = kPrimaryFailedSendTimerLines;
constexpr TextLines kScenarioEndHead = kScenarioEndHeadLines;
constexpr TextLines kEndMusicMessage = kEndMusicMessageLines;
constexpr TextLines kServerCodeTail = kServerCodeTailLines;
constexpr TextLines kReturnResult = kReturnResultLines;

}  // namespace quorvane::brain_text
