#include "fit/part_sections.h"

#include <array>
#include <string>
#include <string_view>

#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

// The team and commander lines of each side; train cars run with the Clan.
struct SideLines {
  std::string_view alignment;
  std::string_view team;
  std::string_view commander;
};

constexpr auto kSideLines = std::to_array<SideLines>({
    {"Inner Sphere", "c TeamID                = 0    // 0 = IS, 1 = CLAN, 2 = ALLIED",
     "c CommanderID           = 0    // 0 = IS, 1 = CLAN, 2 = ALLIED"},
    {"Clan", "c TeamID                = 1    // 0 = IS, 1 = CLAN, 2 = ALLIED",
     "c CommanderID           = 1    // 0 = IS, 1 = CLAN, 2 = ALLIED"},
    {"Other", "c TeamID                = 2    // 0 = IS, 1 = CLAN, 2 = ALLIED",
     "c CommanderID           = 2    // 0 = IS, 1 = CLAN, 2 = ALLIED"},
    {"aTrain", "c TeamID                = 1    // 0 = IS, 1 = CLAN, 2 = ALLIED",
     "c CommanderID           = 1    // 0 = IS, 1 = CLAN, 2 = ALLIED"},
});

constexpr std::string_view kObjectNumber = "ul ObjectNumber         = ";
constexpr std::string_view kControlType =
    "ul ControlType          = 2                 // player = 1, ai = 2, net = 3";
constexpr std::string_view kPlayerPart = "b PlayerPart            = ";
constexpr std::string_view kMechControlData =
    "ul ControlDataType      = 1                 // mech control data = 1";
constexpr std::string_view kElementalControlData =
    "ul ControlDataType      = 3                 // elemental control data = 3";
constexpr std::string_view kVehicleControlData =
    "ul ControlDataType      = 2                 // vehicle control data = 1";
constexpr std::string_view kMyIcon = "c MyIcon                = 0                 //";
constexpr std::string_view kObjectProfile = "st ObjectProfile        = ";
constexpr std::string_view kPilot = "ul Pilot                =";
constexpr std::string_view kTrainPilot = "ul Pilot                = 1 // Trains don't have pilots.";
constexpr std::string_view kPositionX = "f PositionX             = ";
constexpr std::string_view kPositionXComment = "             // Starting position in world.";
constexpr std::string_view kPositionY = "f PositionY             = ";
constexpr std::string_view kRotation = "f Rotation              = ";
constexpr std::string_view kRotationComment = "              // Rotation of Object in Degrees";
constexpr std::string_view kPositionZ =
    "f PositionZ             = -1.0              // Elevation automatically set by terrain.";
constexpr auto kStartLines = std::to_array<std::string_view>({
    "ul Gesture              = 2                 "
    "// Initial Sprite Gesture -- Determines velocity in Mechs -- non-mechs ignore",
    "f Velocity              = 0.0               "
    "// Initial Velocity -- Start velocity for non-mech objects -- mechs ignore",
});
constexpr std::string_view kActive = "l Active                = ";
constexpr std::string_view kExists = "l Exists                = ";

// The carrier type of an elemental carrier, compared as text.
constexpr std::string_view kCarrierTypeId = "419";

std::string TruthItem(bool value) { return PrintedForm(Variant::Boolean(value)); }

// The unit's type row: a mech when MechID is set, otherwise a vehicle.
struct UnitType {
  bool mech;
  db::Recordset* row;
};

UnitType FindUnitType(const FitBuild& build) {
  const db::Recordset& unit = *build.assignments;
  const Variant& mech_id = unit.Field("MechID");
  if (!mech_id.IsNull()) {
    build.MechTypes().FindFirst("[ID] = " + JoinedForm(mech_id));
    return {true, &build.MechTypes()};
  }
  build.VehicleTypes().FindFirst("[VehicleID] = " + JoinedForm(unit.Field("VehicleID")));
  return {false, &build.VehicleTypes()};
}

// The object number line; a vehicle of the carrier type joins the carriers.
void WriteObjectNumber(FitBuild& build, const UnitType& type, int16_t part) {
  std::string number = type.row->Field(type.mech ? "ObjectNumber" : "TypeID").ToText();
  if (!type.mech && number == kCarrierTypeId) build.carriers.push_back(part);
  build.Write(std::string(kObjectNumber) + number);
}

std::string_view ControlDataLine(const UnitType& type) {
  if (type.mech) return kMechControlData;
  return EqualsNumber(type.row->Field("VehicleType"), 3) ? kElementalControlData
                                                         : kVehicleControlData;
}

void WriteSideLines(const FitBuild& build, const Variant& alignment) {
  for (const SideLines& side : kSideLines) {
    if (EqualsText(alignment, side.alignment)) {
      build.Write(side.team);
      build.Write(side.commander);
      return;
    }
  }
}

// The profile line: the type's FIT file name, or "PM"/"PV" and its number
// when the name is missing or blank; the type's name follows as a comment.
void WriteProfileLine(const FitBuild& build, const UnitType& type) {
  const Variant& fit_file_name = type.row->Field("FITFileName");
  std::string profile = IsNullOrBlank(fit_file_name)
                            ? (type.mech ? "PM" + JoinedForm(type.row->Field("ID"))
                                         : "PV" + JoinedForm(type.row->Field("VehicleID")))
                            : JoinedForm(fit_file_name);
  build.Write(std::string(kObjectProfile) + Quoted(profile) + "        // " +
              type.row->Field("Name").ToText());
}

void WritePilotLine(const FitBuild& build, const Variant& alignment, int16_t part) {
  if (EqualsText(alignment, "aTrain")) {
    build.Write(kTrainPilot);
    return;
  }
  int16_t pilot = CheckedInteger(int64_t{part} - build.piloted_train_count);
  build.Write(std::string(kPilot) + PrintedForm(Variant::Integer(pilot)));
}

// Writes the block of the unit on the current row.
void WritePart(FitBuild& build, int16_t part) {
  const db::Recordset& unit = *build.assignments;
  const Variant& alignment = unit.Field("Alignment");
  UnitType type = FindUnitType(build);
  build.Write("[Part" + std::to_string(part) + "]");
  WriteObjectNumber(build, type, part);
  build.Write(kControlType);
  build.Write(std::string(kPlayerPart) + TruthItem(EqualsText(alignment, "Inner Sphere")));
  build.Write(ControlDataLine(type));
  build.Write(kMyIcon);
  WriteSideLines(build, alignment);
  WriteProfileLine(build, type);
  WritePilotLine(build, alignment, part);
  build.Write(std::string(kPositionX) + PrintedForm(unit.Field("XCoordinate")) +
              std::string(kPositionXComment));
  build.Write(std::string(kPositionY) + PrintedForm(unit.Field("YCoordinate")));
  build.Write(kPositionZ);
  build.Write(std::string(kRotation) + PrintedForm(unit.Field("Rotation")) +
              std::string(kRotationComment));
  build.WriteAll(kStartLines);
  build.Write(std::string(kActive) + PrintedForm(Absolute(unit.Field("Active"))));
  build.Write(std::string(kExists) + PrintedForm(Absolute(unit.Field("Exists"))));
  build.Write();
}

}  // namespace

void WritePartSections(FitBuild& build) {
  build.Write("[Parts]");
  build.Write("ul NumParts =" + PrintedForm(Variant::Long(build.part_count)));
  build.Write("b AlliedTeam = " + TruthItem(build.allied_team));
  build.Write();
  build.carriers.clear();
  const std::string criteria = build.MissionCriteria();
  int16_t part_count = CheckedInteger(build.part_count);
  build.assignments->FindFirst(criteria);
  for (int32_t part = 1; part <= part_count; ++part) {
    WritePart(build, static_cast<int16_t>(part));
    if (part < part_count) build.assignments->FindNext(criteria);
  }
  build.Write("[Teams]");
  build.Write("b AlliedTeam = " + TruthItem(build.allied_team));
  build.Write();
}

}  // namespace quorvane
