#include "picture/action_words.h"

#include <array>
#include <string_view>

#include "picture/markup_text.h"

namespace quorvane::picture {
namespace {

// What an action asks for, and what each of its five parameters means (empty:
// not read by the action).
struct ActionMeaning {
  std::string_view name;
  std::string_view asks;
  std::array<std::string_view, 5> parameters;
};

constexpr std::string_view kAfter = "after last action?";

constexpr auto kMeanings = std::to_array<ActionMeaning>({
    {"Destroy Enemy", "destroy the enemy force", {"which", "lance/star", "count"}},
    {"Enemy Dead or Fled", "the enemy force is dead or has fled", {"which", "lance/star", "count"}},
    {"Prevent Enemy Dead or Fled",
     "keep the enemy force from dying or fleeing",
     {"which", "lance/star", "count", kAfter}},
    {"Prevent Enemy Withdraw",
     "keep the enemy force from withdrawing",
     {"which", "lance/star", "count", kAfter}},
    {"Destroy Object", "destroy the named object", {"object", "", "mark the objective"}},
    {"Destroy Num Objects", "destroy a number of objects", {"", "", "how many"}},
    {"Guard Num Objects",
     "keep a number of objects from destruction",
     {"", "", "how many", kAfter}},
    {"Capture Num Objects", "capture a number of objects", {"", "", "how many"}},
    {"Destroy Structure",
     "destroy the structure",
     {"block", "vertex", "mark the objective", "number"}},
    {"Destroy Vehicle", "destroy one vehicle of a group", {"group", "lance/star", "vehicle"}},
    {"Destroy Vehicle Type",
     "destroy vehicles of a type",
     {"type (second)", "type (first)", "count"}},
    {"Guard Structure",
     "keep the structure standing",
     {"block", "vertex", "mark the objective", "number; after last action?"}},
    {"Guard Ally", "keep the allied force alive", {"which", "lance", "count", kAfter}},
    {"Guard Vehicle Type",
     "keep vehicles of a type alive",
     {"type (second)", "type (first)", "count", kAfter}},
    {"Guard Vehicle", "keep one allied vehicle alive", {"", "allied lance", "vehicle", kAfter}},
    {"Move to Area", "move into the area", {"x", "y", "radius", "when", "mark the objective"}},
    {"Move All to Area",
     "move the whole force into the area",
     {"x", "y", "radius", "when", "which lance/star"}},
    {"Extraction Zone",
     "leave through the extraction zone",
     {"x", "y", "radius", "when", "which lance/star"}},
    {"Allied Extraction Zone",
     "the allies leave through the extraction zone",
     {"x", "y", "radius", "when", "which lance"}},
    {"Move All Allied to Area",
     "move all allies into the area",
     {"x", "y", "radius", "when", "which lance"}},
    {"Guard Player", "keep the player's force alive", {"which", "lance", "count", kAfter}},
    {"Guard Clanner", "keep the Clan force alive", {"which", "star", "count", kAfter}},
    {"Capture Structure",
     "capture the structure",
     {"block", "vertex", "mark the objective", "number"}},
    {"King Of Hill", "hold the structure", {"block", "vertex", "mark the objective", "number"}},
    {"Capture Enemy Vehicles", "capture enemy vehicles", {"which", "star/lance", "count"}},
    {"Set Objective Marker", "set the objective marker", {"x", "y", "", "when"}},
    {"Fail Secondary Objective", "fail the secondary objectives", {}},
    {"ABL SUCCESS", "succeed when the ABL condition holds", {"condition", "", "", "when"}},
    {"ABL FAIL", "fail when the ABL condition holds", {"", "condition", "", "when"}},
    {"ABL SUCCESS/FAIL",
     "succeed or fail on ABL conditions",
     {"success when", "failure when", "", "when"}},
});

}  // namespace

std::string ActionInWords(const Action& action) {
  const ActionMeaning* meaning = nullptr;
  for (const ActionMeaning& candidate : kMeanings) {
    if (candidate.name == action.name) meaning = &candidate;
  }
  std::string words = action.name + ": " +
                      (meaning ? std::string(meaning->asks)
                               : "not an action the compiler knows; it writes no block");
  std::string parameters;
  for (size_t i = 0; i < action.parameters.size(); ++i) {
    const Variant& value = action.parameters[i];
    if (value.IsNull() || value.IsEmpty()) continue;
    std::string_view label = meaning ? meaning->parameters[i] : std::string_view();
    std::string name = label.empty() ? "parameter " + std::to_string(i + 1) : std::string(label);
    parameters += (parameters.empty() ? "" : ", ") + name + " " + ValueText(value);
  }
  if (!parameters.empty()) words += "; " + parameters;
  return words;
}

}  // namespace quorvane::picture
