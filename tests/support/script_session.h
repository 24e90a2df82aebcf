#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/session.h"
#include "platform/message_sink.h"
#include "support/memory_records.h"

namespace quorvane::testing_support {

// A session in the middle of a script run: the brain module, _INIT and _MP
// files open on a temporary folder, a mission record and an objective record
// held in memory. The files can be read back as lines once written.
class ScriptSession {
 public:
  explicit ScriptSession(bool multiplayer);
  ~ScriptSession();

  // Positions the objective record on a row with these fields.
  void SetObjective(MemoryRow objective);
  // The mission's ObjectiveScripting rows, in stored order.
  void SetActions(std::vector<MemoryRow> actions);
  MemoryDatabase& database() { return *database_; }

  // Closes the files and returns their lines (CR LF removed).
  std::vector<std::string> Lines(FileRole role);

  RecordingSink sink;
  Session session{sink};

 private:
  std::filesystem::path folder_;
  MemoryDatabase* database_;
};

// A line whose text starts in the given column.
std::string At(int column, const std::string& text);

}  // namespace quorvane::testing_support
