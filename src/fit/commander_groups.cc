#include "fit/commander_groups.h"

#include <array>
#include <string>
#include <string_view>

#include "run/run_state.h"
#include "fit/fit_build.h"
#include "fit/fit_values.h"

namespace quorvane {
namespace {

constexpr int kMateSlots = 12;

// The sides in the order of their passes; allied groups only exist when the
// mission has an allied unit with a warrior.
struct CommanderSide {
  std::string_view alignment;
  std::string_view head;
  bool allied;
};

constexpr auto kCommanderSides = std::to_array<CommanderSide>({
    {"Inner Sphere", "[Commander0Group:", false},
    {"Clan", "[Commander1Group:", false},
    {"Other", "[Commander2Group:", true},
});

// The force group being collected during one pass over the units.
class OpenGroup {
 public:
  explicit OpenGroup(const FitBuild& build) : build_(build) {}

  bool Holds(const Variant& force_group) const {
    return open_ && !force_group.IsNull() && !group_.IsNull() &&
           EqualsNumber(force_group, group_.ToDouble());
  }
  bool IsFull() const { return mates_ == kMateSlots; }

  void Open(std::string_view head, const Variant& force_group, int32_t part) {
    Flush();
    open_ = true;
    group_ = force_group;
    build_.Write(std::string(head) + JoinedForm(PlusWhole(force_group, -1)) + "]");
    pending_ = "l[12] Mates             = " + std::to_string(part);
    mates_ = 1;
  }

  // Adds a mate; a group that reaches twelve mates is written at once.
  void Add(int32_t part) {
    pending_ += ", " + std::to_string(part);
    if (++mates_ == kMateSlots) WriteMates();
  }

  // Closes the group, writing its mates with empty slots as 0 unless it was
  // written when it filled up.
  void Flush() {
    if (open_ && mates_ < kMateSlots) {
      for (int slot = mates_; slot < kMateSlots; ++slot) pending_ += ", 0";
      WriteMates();
    }
    open_ = false;
  }

 private:
  void WriteMates() const {
    build_.Write(pending_);
    build_.Write();
  }

  const FitBuild& build_;
  bool open_ = false;
  Variant group_;
  int mates_ = 0;
  std::string pending_;
};

// One pass over all units for one side.
bool WriteSideGroups(const FitBuild& build, const CommanderSide& side) {
  db::Recordset& units = *build.assignments;
  const std::string criteria = build.MissionCriteria();
  OpenGroup group(build);
  int16_t part = 0;
  for (units.FindFirst(criteria); !units.NoMatch(); units.FindNext(criteria)) {
    part = CheckedInteger(int64_t{part} + 1);
    const Variant& force_group = units.Field("ForceGroup");
    if (!EqualsText(units.Field("Alignment"), side.alignment)) {
      group.Flush();
    } else if (!group.Holds(force_group)) {
      group.Open(side.head, force_group, part);
    } else if (group.IsFull()) {
      build.run.messages.Notice("Too many assignments to " + JoinedForm(units.Field("Alignment")) +
                                " Group " + JoinedForm(force_group));
      return false;
    } else {
      group.Add(part);
    }
  }
  group.Flush();
  return true;
}

}  // namespace

bool WriteCommanderGroups(const FitBuild& build) {
  for (const CommanderSide& side : kCommanderSides) {
    if (side.allied && !build.allied_team) continue;
    if (!WriteSideGroups(build, side)) return false;
  }
  return true;
}

}  // namespace quorvane
