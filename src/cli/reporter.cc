#include "cli/reporter.h"

#include <string>

#include "platform/shown_text.h"

namespace quorvane::cli {
namespace {

// "the FIT file" / "the script", as the verdicts name what an operation writes.
std::string_view Product(Operation operation) {
  return operation == Operation::kFit ? "FIT file" : "script";
}

class TextReporter : public Reporter {
 public:
  TextReporter(std::ostream& out, bool verbose) : out_(out), verbose_(verbose) {}

  void Show(const Message& message) override {
    Line(message.style == BoxStyle::kCritical ? "error: " + message.text : message.text);
  }

  void Note(const std::string& text) override { Line("note: " + text); }

  void Finished(const OperationOutcome& outcome) override {
    if (!outcome.runtime_error.empty()) Line("runtime error: " + outcome.runtime_error);
    for (const std::string& note : OutcomeNotes(outcome, verbose_)) Note(note);
  }

  void RuntimeErrorOutsideMissions(const std::string& reason) override {
    Line("runtime error: " + reason);
  }

  void Summary(const RunSummary& summary, bool note) override {
    if (!note) return;
    std::string text = std::to_string(summary.missions - summary.failed.size()) + " of " +
                       std::to_string(summary.missions) + " missions compiled";
    for (size_t i = 0; i < summary.failed.size(); ++i) {
      text += (i == 0 ? "; failed: " : ", ") + std::to_string(summary.failed[i]);
    }
    Note(text);
  }

 private:
  // One line, named with its mission while an operation runs.
  void Line(const std::string& text) {
    out_ << "quorvane: ";
    if (mission()) out_ << "mission " << *mission() << ": ";
    out_ << Shown(text) << '\n' << std::flush;
  }

  std::ostream& out_;
  bool verbose_;
};

}  // namespace

std::string_view OperationName(Operation operation) {
  return operation == Operation::kFit ? "fit" : "script";
}

void Reporter::Enter(int16_t mission, Operation operation) {
  mission_ = mission;
  operation_ = operation;
}

void Reporter::Leave() {
  mission_.reset();
  operation_.reset();
}

std::string Verdict(const OperationOutcome& outcome) {
  std::string product(Product(outcome.operation));
  bool runtime_error = !outcome.runtime_error.empty();
  if (outcome.result && !runtime_error) {
    return outcome.report.structure_include_refused
               ? product + " written, structure include refused"
               : "";
  }
  std::string what = outcome.report.files.empty() ? " not written" : " not finished";
  return product + what + (runtime_error ? " (runtime error)" : " (refused)");
}

std::vector<std::string> OutcomeNotes(const OperationOutcome& outcome, bool verbose) {
  std::vector<std::string> notes;
  for (const std::string& said : outcome.report.diagnostics) {
    notes.push_back("the database file's reader says: " + said);
  }
  notes.insert(notes.end(), outcome.report.text_notes.begin(), outcome.report.text_notes.end());
  if (verbose) {
    for (const std::string& file : outcome.report.files) notes.push_back("wrote " + file);
  }
  if (std::string verdict = Verdict(outcome); !verdict.empty()) notes.push_back(verdict);
  for (const std::string& file : outcome.report.incomplete) {
    notes.push_back(file + " left incomplete");
  }
  return notes;
}

std::unique_ptr<Reporter> MakeTextReporter(std::ostream& out, bool verbose) {
  return std::make_unique<TextReporter>(out, verbose);
}

}  // namespace quorvane::cli
