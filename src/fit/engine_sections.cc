#include "fit/engine_sections.h"

#include <array>
#include <string>
#include <string_view>

#include "run/run_state.h"
#include "fit/fit_build.h"

namespace quorvane {
namespace {

constexpr std::string_view kRule =
    "// -------------------------------------------------------------------------";

constexpr auto kScaleLines = std::to_array<std::string_view>({
    "[Output]",
    "",
    "[GameScale]                     //For 90 Pixel mechs",
    "f WorldUnitsPerMeter = 5.01",
    "f MetersPerWorldUnit = 0.2",
    "ul Duration = 60",
    "f CycleLength = 0.125",
    "",
});

// The strike keys of an artillery section, in order.
constexpr auto kStrikeKeys = std::to_array<std::string_view>({
    "l NumLargeStrikes = ",
    "l NumSmallStrikes = ",
    "l NumSensorStrikes = ",
    "l NumCameraStrikes = ",
});
constexpr auto kPlayerArtilleryFields = std::to_array<std::string_view>(
    {"ArtilleryLarge", "ArtillerySmall", "ArtillerySensor", "ArtilleryCamera"});
constexpr auto kClanArtilleryFields = std::to_array<std::string_view>(
    {"ClanArtilleryLarge", "ClanArtillerySmall", "ClanArtillerySensor", "ClanArtilleryCamera"});

// Heap sizes and budgets of the engine's systems, from [ElementSystem] to
// [SpriteManager].
constexpr auto kSystemBudgetLines = std::to_array<std::string_view>({
    "[ElementSystem]",
    "ul ElementHeapSize = 358399",
    "ul MaxElements = 2500",
    "ul MaxGroups = 1000",
    "",
    "[CraterSystem]",
    "l NumCraters = 100",
    "ul CraterShapeSize = 20479",
    "st CraterFile = \"feet\"",
    "",
    "[ContactManager]",
    "l MaxContacts = 1600",
    "",
    "[PotentialContactManager]",
    "l MaxPotentialContacts = 500",
    "",
    "[Smoke Manager]",
    "l NumSmokeTypes = 2",
    "l MaxSmokesPerType = 100",
    "ul SmokeSphereHeapSize = 50000",
    "",
    "[Smoke0]",
    "l SmokeType = 11",
    "",
    "[Smoke1]",
    "l SmokeType = 12",
    "",
    "[CameraSystem]",
    "ul CameraHeapSize = 8191",
    "st CameraFileName = \"cameras\"",
    "",
    "[ObjectSystem]",
    "ul ObjectHeapSize = 1535999",
    "ul ObjectTypeHeapSize = 716799",
    "ul NumObjects = 5000",
    "st ObjectFileName = \"object2\"",
    "",
    "[SpriteSystem]",
    "ul SpriteHeapSize = 524287",
    "st SpriteFileName = \"sprites\"",
    "",
    "ul SpriteManagerHeapSize = 2097151",
    "ul SpriteDataHeapSize = 65535",
    "st ShapeFileName = \"shapes\"",
    "",
    "[SpriteManager]",
    "ul LegHeapSize = 1572863",
    "ul TorsoHeapSize = 2097151",
    "ul RightArmHeapSize = 786431",
    "ul LeftArmHeapSize = 786431",
    "ul TotalMechs = 19",
    "ul Use90Pixel = 1",
    "",
});

constexpr auto kMusicLines = std::to_array<std::string_view>({
    "[Music]",
    "uc scenarioTuneNum = 0",
    "",
});

constexpr auto kCollisionTail = std::to_array<std::string_view>({
    "ul GridRadius = 200",
    "ul MaxObjects = 300",
    "ul MaxCollisions = 100",
    "ul MaxPending = 40",
    "ul CollisionHeapSize = 16383",
    "f WarningDist = 250.0                           //This is in world Units!!!",
    "f AlertTime = 2.5                                       //This is in seconds",
    "ul NumAlerts = 20",
    "",
});

constexpr auto kContactAndLibraryLines = std::to_array<std::string_view>({
    "[SensorContactShape]",
    "st shapeName = \"blip\"",
    "",
    "[ABLibraries]",
    "st Library0 = \"orders\"",
    "st Library1 = \"miscfunc\"",
    "",
    "[Script]",
});

constexpr auto kStatusWindowLines = std::to_array<std::string_view>({
    "[StatusWindow]",
    "ul PosX = 200",
    "ul PosY = 200",
    "ul Width = 300",
    "ul Height = 100",
    "",
});

constexpr auto kMultiplayerTeamsLines = std::to_array<std::string_view>({
    "[Teams]",
    "b AlliedTeam = FALSE",
    "",
});

// Writes the four strike lines of one side from the given fields.
void WriteStrikeLines(const FitBuild& build, const std::array<std::string_view, 4>& fields) {
  for (size_t i = 0; i < kStrikeKeys.size(); ++i) {
    build.Write(std::string(kStrikeKeys[i]) + PrintedForm(build.Mission(fields[i])));
  }
}

// Writes [Artillery] and, for a multiplayer mission, the artillery of each side.
void WriteArtillerySections(const FitBuild& build) {
  build.Write("[Artillery]");
  WriteStrikeLines(build, kPlayerArtilleryFields);
  build.Write();
  if (!build.IsMultiplayer()) return;
  build.Write("[ISArtillery]");
  WriteStrikeLines(build, kPlayerArtilleryFields);
  build.Write();
  build.Write("[ClanArtillery]");
  WriteStrikeLines(build, kClanArtilleryFields);
  build.Write();
}

// Writes [TerrainSystem]: the terrain file is also the tactical map image.
void WriteTerrainSection(const FitBuild& build) {
  std::string terrain = Quoted(PrintedForm(build.Mission("TerrainFileName")));
  build.Write("[TerrainSystem]");
  build.Write("st TerrainFileName = " + terrain);
  build.Write("st TacMapGifName = " + terrain);
  build.Write();
}

// Writes [PaletteSystem]: the planet Garotte has a palette of its own.
void WritePaletteSection(const FitBuild& build) {
  bool garotte = EqualsText(build.Mission("Planet"), "Garotte");
  build.Write("[PaletteSystem]");
  build.Write("st PaletteSystem = " + Quoted(garotte ? "palettex" : "Palette"));
  build.Write();
}

// The collision grid size of the map size: 0 small, 1 medium, anything else large.
std::string GridSizeText(const Variant& map_size) {
  if (EqualsNumber(map_size, 0)) return "24";
  if (EqualsNumber(map_size, 1)) return "36";
  return "48";
}

void WriteCollisionSection(const FitBuild& build) {
  std::string grid_size = GridSizeText(build.Mission("MapSize"));
  build.Write("[CollisionSystem]");
  build.Write("ul XGridSize =" + grid_size);
  build.Write("ul YGridSize =" + grid_size);
  build.WriteAll(kCollisionTail);
}

}  // namespace

void WriteFitHead(const FitBuild& build) {
  build.Write("FITini");
  build.Write();
  build.Write(kRule);
  build.Write("//");
  build.Write("//      Mission Name: " + PrintedForm(build.Mission("MissionName")) +
              "  Creation Date: " + build.run.creation_date + "  ");
  build.Write("//");
  build.Write(kRule);
  build.Write();
  build.Write();
}

void WriteEngineSections(const FitBuild& build) {
  build.WriteAll(kScaleLines);
  WriteArtillerySections(build);
  build.WriteAll(kSystemBudgetLines);
  WriteTerrainSection(build);
  WritePaletteSection(build);
  build.WriteAll(kMusicLines);
  WriteCollisionSection(build);
  build.WriteAll(kContactAndLibraryLines);
  build.Write("st ScenarioScript = " + Quoted(PrintedForm(build.Mission("MissionFileName"))));
  build.Write();
  build.WriteAll(kStatusWindowLines);
  if (build.IsMultiplayer()) build.WriteAll(kMultiplayerTeamsLines);
}

}  // namespace quorvane
