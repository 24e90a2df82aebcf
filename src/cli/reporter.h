#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/write_quorvane.h"
#include "platform/message_sink.h"

namespace quorvane::cli {

// The file-writing operations the command runs for a mission.
enum class Operation { kFit, kScript };

// "fit" or "script".
std::string_view OperationName(Operation operation);

// How one operation of one mission ended.
struct OperationOutcome {
  int16_t mission = 0;
  Operation operation = Operation::kFit;
  bool result = false;        // the operation's Boolean result; false after a run-time error
  std::string runtime_error;  // the reason of the run-time error that ended it, if any
  OperationReport report;
};

// The missions of a run and those of them that did not compile (an operation
// returned False or ended with a run-time error).
struct RunSummary {
  size_t missions = 0;
  std::vector<int16_t> failed;
};

// Everything the command says while it compiles: the compiler's messages, each
// named with the mission whose operation raised it, how each operation ended,
// the command's own notes and a summary. Between missions (the setup check,
// reading the mission numbers) nothing names a mission.
class Reporter : public MessageSink {
 public:
  // The mission and operation that the following messages belong to.
  void Enter(int16_t mission, Operation operation);
  // Back outside any mission.
  void Leave();

  // A note of the command's own (text output only).
  virtual void Note(const std::string& text) = 0;
  virtual void Finished(const OperationOutcome& outcome) = 0;
  // A run-time error outside any mission's operation.
  virtual void RuntimeErrorOutsideMissions(const std::string& reason) = 0;
  // The summary of the run. `note`: the text output notes it too (after a
  // run of several missions; not after a failed setup check).
  virtual void Summary(const RunSummary& summary, bool note) = 0;

 protected:
  const std::optional<int16_t>& mission() const { return mission_; }
  const std::optional<Operation>& operation() const { return operation_; }

 private:
  std::optional<int16_t> mission_;
  std::optional<Operation> operation_;
};

// Lines of text: "quorvane: [mission N: ]error: ...", notes, verdicts. With
// `verbose`, a note for each file written.
std::unique_ptr<Reporter> MakeTextReporter(std::ostream& out, bool verbose);

// JSON Lines: a start object, then one object per message, per operation
// result and per note, and one summary; the "kind" key tells them apart.
std::unique_ptr<Reporter> MakeJsonReporter(std::ostream& out);

// The notes after an operation, in order: what the database file's reader
// said, the designer texts that change their lines, with `verbose` each file
// written, the verdict, and each file left incomplete.
std::vector<std::string> OutcomeNotes(const OperationOutcome& outcome, bool verbose);

// What the verdict note says of an operation that did not end well; empty
// when it returned True with nothing refused.
std::string Verdict(const OperationOutcome& outcome);

}  // namespace quorvane::cli
