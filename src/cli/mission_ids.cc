#include "cli/mission_ids.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "cli/reporter.h"

namespace quorvane::cli {
namespace {

// The mission number a MissionID value stands for, if it is one.
std::optional<int16_t> MissionNumber(const Variant& id) {
  if (!id.IsNumeric() || id.type() == VariantType::kBoolean) return std::nullopt;
  double number = id.ToDouble();
  if (number != std::trunc(number) || number < -32768 || number > 32767) return std::nullopt;
  return static_cast<int16_t>(number);
}

}  // namespace

std::vector<int16_t> MissionsNotInDatabase(db::Database& database,
                                           const std::vector<int16_t>& ids) {
  std::vector<int16_t> missing = ids;
  try {
    auto missions = database.OpenRecordset("NewMissions");
    for (; !missions->Eof() && !missing.empty(); missions->MoveNext()) {
      if (std::optional<int16_t> number = MissionNumber(missions->Field("MissionID"))) {
        std::erase(missing, *number);
      }
    }
  } catch (const std::exception&) {
    return {};  // the operations tell what is wrong with the table
  }
  return missing;
}

std::vector<int16_t> AllMissionIds(db::Database& database, Reporter& reporter) {
  auto missions = database.OpenRecordset("NewMissions");
  std::vector<int16_t> ids;
  for (size_t row = 1; !missions->Eof(); ++row, missions->MoveNext()) {
    const Variant& id = missions->Field("MissionID");
    std::optional<int16_t> number = MissionNumber(id);
    if (!number) {
      std::string what =
          id.IsNull() ? "is Null" : "'" + JoinedForm(id) + "' is not a 16-bit number";
      reporter.Note("NewMissions row " + std::to_string(row) + ": MissionID " + what + "; skipped");
      continue;
    }
    if (std::find(ids.begin(), ids.end(), *number) == ids.end()) ids.push_back(*number);
  }
  return ids;
}

}  // namespace quorvane::cli
