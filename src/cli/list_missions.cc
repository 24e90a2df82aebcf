#include "cli/list_missions.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "cli/commands.h"
#include "platform/variant.h"
#include "platform/windows1252.h"
#include "run/mission_kind.h"

namespace quorvane::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::array<const char*, 4> kFields = {"MissionID", "MissionName", "MissionFileName",
                                                "Multiplayer"};

// Every NewMissions row's listed fields, in stored order.
std::vector<std::array<Variant, 4>> MissionRows(const std::string& database, std::ostream& err) {
  auto db = OpenForReading(database);
  std::vector<std::array<Variant, 4>> rows;
  ReadNotingDiagnostics(*db, err, [&] {
    auto missions = db->OpenRecordset("NewMissions");
    for (; !missions->Eof(); missions->MoveNext()) {
      std::array<Variant, 4> row;
      for (size_t i = 0; i < kFields.size(); ++i) row[i] = missions->Field(kFields[i]);
      rows.push_back(std::move(row));
    }
  });
  return rows;
}

std::string Padded(const std::string& text, size_t width, bool right) {
  std::string blanks(width - std::min(width, CharacterCount(text)), ' ');
  return right ? blanks + text : text + blanks;
}

Json JsonValue(const Variant& value) {
  if (value.IsNull()) return nullptr;
  if (value.type() == VariantType::kBoolean) return value.boolean_value();
  if (!value.IsNumeric()) return JoinedForm(value);
  double number = value.ToDouble();
  constexpr double kExactWhole = 9007199254740992.0;  // 2^53
  if (number == std::trunc(number) && std::fabs(number) <= kExactWhole) {
    return static_cast<int64_t>(number);
  }
  return number;
}

// The kind of a mission as the FIT writer decides it.
const char* KindName(const Variant& multiplayer) {
  switch (DecideMissionKind(multiplayer, MultiplayerTest::kByNumber)) {
    case MissionKind::kMultiplayer:
      return "multiplayer";
    case MissionKind::kSinglePlayer:
      return "single-player";
    case MissionKind::kNeither:
      break;
  }
  return "neither";
}

}  // namespace

void ListMissions(const std::string& database, std::ostream& out, std::ostream& err) {
  std::vector<std::array<std::string, 4>> lines;
  for (const auto& row : MissionRows(database, err)) {
    lines.push_back({JoinedForm(row[0]), JoinedForm(row[1]), JoinedForm(row[2]), KindName(row[3])});
  }
  std::array<size_t, 4> widths{};
  for (const auto& line : lines) {
    for (size_t i = 0; i < line.size(); ++i) {
      widths[i] = std::max(widths[i], CharacterCount(line[i]));
    }
  }
  for (const auto& line : lines) {
    // The mission number right-aligned, the last column not padded.
    out << Padded(line[0], widths[0], true) << "  " << Padded(line[1], widths[1], false) << "  "
        << Padded(line[2], widths[2], false) << "  " << line[3] << '\n';
  }
}

void ListMissionsJson(const std::string& database, std::ostream& out, std::ostream& err) {
  Json missions = Json::array();
  for (const auto& row : MissionRows(database, err)) {
    Json mission;
    mission["mission"] = JsonValue(row[0]);
    mission["name"] = JsonValue(row[1]);
    mission["file"] = JsonValue(row[2]);
    mission["multiplayer"] = row[3].IsNull() ? Json(nullptr) : Json(row[3].IsTrue());
    missions.push_back(std::move(mission));
  }
  out << missions.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace quorvane::cli
