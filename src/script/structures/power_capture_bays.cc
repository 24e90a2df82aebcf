// Power stations and controls, no-link captureable structures, mech and
// vehicle bays, and artillery crates.

#include <array>
#include <string>

#include "script/abl_text.h"
#include "script/script_files.h"
#include "script/script_session.h"
#include "script/structures/behaviours.h"
#include "script/structures/branch_statements.h"
#include "script/structures/control_branches.h"
#include "script/structures/linked_objects.h"

namespace quorvane {
namespace {

// Hands a captured structure over to its capturer: the server sends the
// capturing side; in a single-player mission the player takes it.
void WriteCaptureHandOver(const StructureContext& structure) {
  if (structure.multiplayer) {
    BranchStatements captured(structure, 12, kLowerCaseMessages,
                              SideParameter(structure, kLowerCaseMessages));
    captured.Add(structure.Named("objectChangeSides({I},MsgParams);"));
    captured.Add(structure.Named("{S} = MsgParams;"));
  } else {
    structure.Write(12, structure.Named("{S} = INNER_SPHERE;"));
    structure.Write(12, structure.Named("setPotentialContact({I},2);"));
  }
}

// "else", the capture test and the hand-over of a captureable structure.
void WriteCapturedBranch(const StructureContext& structure) {
  structure.Write("else");
  structure.Write(6, CaptureTest(structure));
  WriteCaptureHandOver(structure);
  structure.Write(6, "endif;");
}

// Raises a bay count and registers the bay in the count's array element.
void RegisterBay(const StructureContext& bay, int16_t& count, std::string_view array) {
  count = CheckedInteger(count + 1);
  WriteInitLine(bay.session, std::string(array) + "[" + std::to_string(count - 1) + "]",
                bay.identifier);
}

// A captured crate gives its capturer two artillery strikes of a random type
// and is used up.
constexpr std::array<PlacedLine, 11> kSinglePlayerCrate = {{
    {1, "if (IsAlive({I})) then"},
    {6, "if ((IsCaptured({I}) == 1) AND ({S} <> -2)) then"},
    {12, "X = Random( STRIKE_TYPE_LIMIT );"},
    {12, "Y = ObjectCommander({I});"},
    {12, "if (GetStrikes( Y, X ) < MAX_STRIKES ) then"},
    {18, "AddStrikes( Y, X, 2);"},
    {12, "endif;"},
    {12, "setCaptureable({I}, FALSE );"},
    {12, "{S} = -2;"},
    {6, "endif;"},
    {1, "endif;"},
}};

enum class CrateStep {
  kLine,      // a line of the structure include
  kNewCase,   // opens a case of handleMessage with the statement
  kCaseLine,  // adds the statement to the open case
  kSendCase,  // the send and handle lines of the open case, with the parameter
};

using CrateLine = ConditionalLine<CrateStep>;

// In a multiplayer mission a captured crate turns neutral and gives one
// strike to the capturer, whose commander and strike type travel in the
// message parameter ((commander + 1) * 10 + type). The side variable then
// counts down once a game second from -2 to -59, and the crate becomes
// captureable again.
constexpr std::array<CrateLine, 25> kMultiplayerCrate = {{
    {CrateStep::kLine, 1, "if (isAlive({I})) then"},
    {CrateStep::kLine, 6, "if ((IsCaptured({I}) == 1) AND ({S} > -2)) then"},
    {CrateStep::kNewCase, 0, "objectChangeSides({I}, NEUTRAL);"},
    {CrateStep::kCaseLine, 0,
     "if (getStrikes(((MsgParams/10)-1),(MsgParams MOD 10)) < MAX_STRIKES) then"},
    {CrateStep::kCaseLine, 0, "      addStrikes(((MsgParams/10)-1),(MsgParams MOD 10),1);"},
    {CrateStep::kCaseLine, 0, "endif;"},
    {CrateStep::kCaseLine, 0, "setCaptureable({I}, FALSE);"},
    {CrateStep::kCaseLine, 0, "{S} = -2;"},
    {CrateStep::kLine, 12, "X = Random(STRIKE_TYPE_LIMIT);"},
    {CrateStep::kSendCase, 12, "(((objectCommander({I})+1)*10)+X)"},
    {CrateStep::kLine, 6, "else"},
    {CrateStep::kLine, 12, "if ({S} < -1) then"},
    {CrateStep::kLine, 18, "if ({S} > -59) then"},
    {CrateStep::kLine, 24, "if (gametime == nextsecond - 1.0) then"},
    {CrateStep::kNewCase, 0, "{S} = {S} - 1;"},
    {CrateStep::kSendCase, 30, "0"},
    {CrateStep::kLine, 24, "endif;"},
    {CrateStep::kLine, 18, "else"},
    {CrateStep::kNewCase, 0, "setCaptureable({I}, TRUE);"},
    {CrateStep::kCaseLine, 0, "{S} = NEUTRAL;"},
    {CrateStep::kSendCase, 24, "0"},
    {CrateStep::kLine, 18, "endif;"},
    {CrateStep::kLine, 12, "endif;"},
    {CrateStep::kLine, 6, "endif;"},
    {CrateStep::kLine, 1, "endif;"},
}};

void WriteMultiplayerCrate(const StructureContext& crate) {
  int16_t open_case = 0;
  for (const CrateLine& line : kMultiplayerCrate) {
    const std::string text = crate.Named(line.placed.text);
    switch (line.when) {
      case CrateStep::kLine:
        crate.Write(line.placed.column, text);
        break;
      case CrateStep::kNewCase:
        open_case = AddMultiplayerEvent(crate.session, text, true);
        break;
      case CrateStep::kCaseLine:
        AddMultiplayerEvent(crate.session, text, false);
        break;
      case CrateStep::kSendCase:
        WriteSendLines(crate, line.placed.column, kLowerCaseMessages, open_case, text);
        break;
    }
  }
}

}  // namespace

void WritePowerStation(StructureContext& station) {
  station.WriteEmptyLine();
  station.Write("if (isdead(" + station.identifier + ")) then");
  ForEachLinkedObject(station, [&](const LinkedObject& object) {
    station.Write(6, "setObjectActive(" + std::to_string(object.ObjectId()) + ",FALSE);");
  });
  station.Write("endif;");
}

void WritePowerControl(StructureContext& control) {
  WriteSwitchControl(control, kPowerControlForm);
}

// Captureable by its nature: Captureable is not looked at.
void WriteNoLinkCaptureable(StructureContext& structure) {
  WriteDestroyedTest(structure);
  BranchStatements destroyed(structure, 6, kCapitalisedMessages, "0");
  destroyed.Add(structure.side_variable + " = -2;");
  WriteCapturedBranch(structure);
  structure.Write("endif;");
}

void WriteMechBay(StructureContext& bay) {
  bay.WriteEmptyLine();
  const bool clan_bay = EqualsNumber(bay.alignment, 1);
  if (clan_bay) RegisterBay(bay, bay.counts.mech_bays, "MechBays");
  bay.Write("if (isdead(" + bay.identifier + ")) then");
  if (bay.multiplayer) {
    bay.WriteEmptyLine();
  } else {
    if (clan_bay) bay.Write(6, "removeMechBay(" + bay.identifier + ");");
    bay.Write(6, bay.side_variable + " = -2;");
  }
  if (bay.captureable) WriteCapturedBranch(bay);
  bay.Write("endif;");
}

// Only the Clan has vehicle bays.
void WriteVehicleBay(StructureContext& bay) {
  bay.WriteEmptyLine();
  if (EqualsNumber(bay.alignment, 1)) {
    RegisterBay(bay, bay.counts.vehicle_bays, "VehicleBays");
    bay.Write("if (isdead(" + bay.identifier + ")) then");
    bay.Write(6, "removeVehicleBay(" + bay.identifier + ");");
    bay.Write("endif;");
  } else if (EqualsNumber(bay.alignment, 2)) {
    bay.session.run.messages.Notice(
        "The design does not permit you to have an Inner Sphere Vehicle Bay.  Please change the "
        "alignment to Clan.");
  }
}

void WriteArtilleryCrate(StructureContext& crate) {
  crate.WriteEmptyLine();
  if (crate.multiplayer) {
    WriteMultiplayerCrate(crate);
  } else {
    crate.WriteLines(kSinglePlayerCrate);
  }
}

}  // namespace quorvane
