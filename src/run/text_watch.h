#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/output_file.h"

namespace quorvane {

struct RunState;

// Watches the lines an operation writes for designer texts that change what
// the line means (see db::TextOfNote) and notes each such value once per
// operation, naming the file and the value's table, field and row. The lines
// are written as they are.
class TextWatch : public LineWatcher {
 public:
  explicit TextWatch(const RunState& run) : run_(run) {}

  void Seen(const std::string& path, std::string_view line) override;

  // Starts a new operation: no value has been noted yet.
  void Clear();
  // The notes of the operation, in order.
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  void Note(const std::string& origin, int kind, const std::string& text);

  const RunState& run_;
  std::set<std::pair<std::string, int>> noted_;  // origin and kind
  std::vector<std::string> notes_;
};

}  // namespace quorvane
