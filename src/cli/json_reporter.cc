// The JSON Lines form of what the command says; the schema is in the README.

#include <nlohmann/json.hpp>

#include "cli/reporter.h"

namespace quorvane::cli {
namespace {

using Json = nlohmann::ordered_json;

class JsonReporter : public Reporter {
 public:
  explicit JsonReporter(std::ostream& out) : out_(out) {}

  void Show(const Message& message) override {
    Json line = Place();
    line["style"] = message.style == BoxStyle::kCritical ? "critical" : "plain";
    line["title"] = message.title;
    line["text"] = message.text;
    Write(line);
  }

  // Notes have no object of their own: their facts are in the results and
  // the summary.
  void Note(const std::string&) override {}

  void Finished(const OperationOutcome& outcome) override {
    Json line = Place();
    line["result"] = outcome.result;
    line["files"] = outcome.report.files;
    line["incomplete"] = outcome.report.incomplete;
    line["runtime_error"] = RuntimeError(outcome.runtime_error);
    Write(line);
  }

  void RuntimeErrorOutsideMissions(const std::string& reason) override {
    OperationOutcome outcome;
    outcome.runtime_error = reason;
    Finished(outcome);
  }

  void Summary(const RunSummary& summary, bool) override {
    Json counts;
    counts["missions"] = summary.missions;
    counts["compiled"] = summary.missions - summary.failed.size();
    counts["failed"] = summary.failed;
    Json line;
    line["summary"] = counts;
    Write(line);
  }

 private:
  // The mission and operation of a line; null outside any mission.
  Json Place() const {
    Json line;
    line["mission"] = mission() ? Json(*mission()) : Json(nullptr);
    line["operation"] = operation() ? Json(OperationName(*operation())) : Json(nullptr);
    return line;
  }

  static Json RuntimeError(const std::string& reason) {
    return reason.empty() ? Json(nullptr) : Json(reason);
  }

  void Write(const Json& line) {
    // Texts from the database may hold bytes that are not UTF-8; they are
    // replaced rather than ending the run.
    out_ << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
  }

  std::ostream& out_;
};

}  // namespace

std::unique_ptr<Reporter> MakeJsonReporter(std::ostream& out) {
  return std::make_unique<JsonReporter>(out);
}

}  // namespace quorvane::cli
