#include "compiler/mission_database.h"
#include "compiler/write_quorvane.h"
#include "picture/mission_map_svg.h"
#include "picture/read_mission.h"

namespace quorvane {

std::string WriteQuorvane::RenderMissionMap(std::string& DatabasePath, std::string& DatabaseName,
                                            int16_t MissionID) {
  if (!OpenMissionDatabase(run_, DatabasePath, DatabaseName)) {
    std::string reason =
        "The database " + ResolveDatabasePath(DatabasePath, DatabaseName) + " could not be opened";
    if (!run_.database_open_failure.empty()) reason += ": " + run_.database_open_failure;
    return picture::MissionMapSvg(picture::UnreadMission(MissionID, reason + "."));
  }
  return picture::MissionMapSvg(picture::ReadMission(*run_.database, MissionID));
}

}  // namespace quorvane
