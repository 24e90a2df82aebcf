#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/structures/structure_context.h"

namespace quorvane {

// How a behaviour spells the lines that send a multiplayer event: the send
// call, the handle call, and the side query passed as the message parameter
// of a capture. Behaviours differ only in these letters.
struct MessageSpelling {
  std::string_view send;
  std::string_view handle;
  std::string_view side_query;
};

// Turret, power and no-link controls.
inline constexpr MessageSpelling kCapitalisedMessages{"SendMessage", "HandleMessage;",
                                                      "ObjectSide"};
// Sensor and gate controls, bays, crates.
inline constexpr MessageSpelling kLowerCaseMessages{"sendMessage", "handleMessage;", "ObjectSide"};
// Capture hand-over of a structure without behaviour.
inline constexpr MessageSpelling kHandOverMessages{"SendMessage", "HandleMessage;", "objectSide"};

// The message parameter that carries the structure's side after a capture.
std::string SideParameter(const StructureContext& structure, const MessageSpelling& spelling);

// Writes the send line of case `number` with `parameter` and the handle line,
// both at `column`.
void WriteSendLines(const StructureContext& structure, int column, const MessageSpelling& spelling,
                    int16_t number, std::string_view parameter);

// The statements of one branch of a behaviour. In a single-player mission
// each is written into the structure include at the branch's column. In a
// multiplayer mission the server has every player run them: the first opens
// a numbered case of handleMessage and writes the send and handle lines at
// the branch's column, the later ones join that case.
class BranchStatements {
 public:
  BranchStatements(const StructureContext& structure, int column, const MessageSpelling& spelling,
                   std::string parameter);

  void Add(std::string_view statement);

 private:
  const StructureContext& structure_;
  int column_;
  const MessageSpelling& spelling_;
  std::string parameter_;
  bool case_open_ = false;
};

}  // namespace quorvane
