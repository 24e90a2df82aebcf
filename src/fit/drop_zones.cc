#include "fit/drop_zones.h"

#include <array>
#include <optional>
#include <string_view>

#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

// Offsets of slots 1 to 3 of a Diamond, as multiples of the spacing, for
// one facing. Slot 0 stands at the zone's position.
struct DiamondLayout {
  int16_t rotation;
  std::array<int16_t, 6> offsets;  // X1, Y1, X2, Y2, X3, Y3
};

constexpr auto kDiamondLayouts = std::to_array<DiamondLayout>({
    {0, {0, -100, 100, 0, 100, -100}},
    {45, {-71, 71, -71, -71, -142, 0}},
    {90, {-100, 0, 0, -100, -100, -100}},
    {135, {-71, -71, 71, -71, 0, -142}},
    {-45, {71, 71, -71, 71, 0, 142}},
    {-90, {100, 0, 0, 100, 100, 100}},
    {-135, {71, -71, 71, 71, 142, 0}},
    {180, {0, -100, 100, 0, 100, -100}},
});

// The step from one slot to the next of a Column and of a Line, for one
// facing; slot k stands at k times the spacing times the step.
struct LinearLayout {
  int16_t rotation;
  int16_t column_x, column_y;
  int16_t line_x, line_y;
};

constexpr auto kLinearLayouts = std::to_array<LinearLayout>({
    {0, -71, 71, -71, -71},
    {45, -100, 0, 0, -100},
    {90, -71, -71, 71, -71},
    {135, 0, -100, 100, 0},
    {-45, 0, 100, -100, 0},
    {-90, 71, 71, -71, 71},
    {-135, 100, 0, 0, 100},
    {180, 71, -71, 71, 71},
});

constexpr auto kOffsetX =
    std::to_array<std::string_view>({"", "f OffsetX1 = ", "f OffsetX2 = ", "f OffsetX3 = "});
constexpr auto kOffsetY =
    std::to_array<std::string_view>({"", "f OffsetY1 = ", "f OffsetY2 = ", "f OffsetY3 = "});
constexpr auto kSlotRotation = std::to_array<std::string_view>(
    {"f Rotation0 = ", "f Rotation1 = ", "f Rotation2 = ", "f Rotation3 = "});

template <typename Layout, size_t N>
const Layout* FindLayout(const std::array<Layout, N>& layouts, const Variant& rotation) {
  for (const Layout& layout : layouts) {
    if (EqualsNumber(rotation, layout.rotation)) return &layout;
  }
  return nullptr;
}

// The four slot blocks of a layout.
std::vector<std::string> SlotBlocks(const Variant& rotation, const SlotOffsets& offsets) {
  std::string facing = JoinedForm(rotation);
  std::vector<std::string> lines = {"f OffsetX0 = 0", "f OffsetY0 = 0",
                                    std::string(kSlotRotation[0]) + facing, ""};
  for (int slot = 1; slot <= 3; ++slot) {
    lines.push_back(std::string(kOffsetX[slot]) + JoinedForm(offsets.x[slot - 1]));
    lines.push_back(std::string(kOffsetY[slot]) + JoinedForm(offsets.y[slot - 1]));
    lines.push_back(std::string(kSlotRotation[slot]) + facing);
    lines.push_back("");
  }
  return lines;
}

SlotOffsets DiamondOffsets(const DiamondLayout& layout, const Variant& spacing) {
  SlotOffsets offsets;
  for (int slot = 1; slot <= 3; ++slot) {
    for (int axis = 0; axis < 2; ++axis) {
      int16_t factor = layout.offsets[(slot - 1) * 2 + axis];
      // A zero of the table is the literal 0, whatever the spacing holds.
      Variant offset = factor == 0 ? Variant::Integer(0) : TimesWhole(spacing, factor);
      (axis == 0 ? offsets.x : offsets.y)[slot - 1] = std::move(offset);
    }
  }
  return offsets;
}

SlotOffsets LinearOffsets(const LinearLayout& layout, bool column, const Variant& spacing) {
  SlotOffsets offsets;
  offsets.step_x = Variant::Integer(column ? layout.column_x : layout.line_x);
  offsets.step_y = Variant::Integer(column ? layout.column_y : layout.line_y);
  for (int slot = 1; slot <= 3; ++slot) {
    Variant distance = TimesWhole(spacing, slot);
    offsets.x[slot - 1] = TimesWhole(distance, offsets.step_x.ToInteger());
    offsets.y[slot - 1] = TimesWhole(distance, offsets.step_y.ToInteger());
  }
  return offsets;
}

}  // namespace

std::optional<SlotOffsets> FormationSlotOffsets(const Variant& formation, const Variant& rotation,
                                                const Variant& spacing) {
  if (EqualsText(formation, "Diamond")) {
    const DiamondLayout* layout = FindLayout(kDiamondLayouts, rotation);
    if (layout == nullptr) return std::nullopt;
    return DiamondOffsets(*layout, spacing);
  }
  bool column = EqualsText(formation, "Column");
  if (!column && !EqualsText(formation, "Line")) return std::nullopt;
  // A Column or Line whose facing has no layout gets no slots, like a
  // Diamond: the steps of an earlier zone would place its slots at random.
  const LinearLayout* layout = FindLayout(kLinearLayouts, rotation);
  if (layout == nullptr) return std::nullopt;
  return LinearOffsets(*layout, column, spacing);
}

std::vector<std::string> FormationLines(const Variant& formation, const Variant& rotation,
                                        const Variant& spacing, Variant& step_x, Variant& step_y) {
  std::optional<SlotOffsets> offsets = FormationSlotOffsets(formation, rotation, spacing);
  if (!offsets) return {};
  if (!offsets->step_x.IsEmpty()) {
    step_x = offsets->step_x;
    step_y = offsets->step_y;
  }
  return SlotBlocks(rotation, *offsets);
}

void CountDropZones(FitBuild& build) {
  db::Recordset& zones = *build.drop_zones;
  build.drop_zone_count = 0;
  for (zones.MoveFirst(); !zones.Eof(); zones.MoveNext()) {
    build.drop_zone_count = CheckedInteger(int64_t{build.drop_zone_count} + 1);
  }
}

void WriteDropZoneSections(const FitBuild& build) {
  db::Recordset& zones = *build.drop_zones;
  int16_t zone = -1;
  for (zones.MoveFirst(); !zones.Eof(); zones.MoveNext()) {
    zone = CheckedInteger(int64_t{zone} + 1);
    build.Write("[DropZone" + std::to_string(zone) + "]");
    build.Write("l NumSlots = " + JoinedForm(zones.Field("Slots")));
    build.Write();
    build.Write("f PositionX = " + JoinedForm(zones.Field("PlayerEntryPointX")));
    build.Write("f PositionY = " + JoinedForm(zones.Field("PlayerEntryPointY")));
    build.Write();
    build.WriteAll(FormationLines(zones.Field("Formation"), zones.Field("Rotation"),
                                  zones.Field("Spacing"), build.WorkValueA(), build.WorkValueB()));
  }
}

}  // namespace quorvane
