// The JSON Lines form of what the command says; the schema is in the README.

#include <nlohmann/json.hpp>

#include "cli/reporter.h"
#include "platform/shown_text.h"
#include "quorvane/version.h"

namespace quorvane::cli {
namespace {

using Json = nlohmann::ordered_json;

// The version of the objects' keys and kinds; it grows when they change.
constexpr int kSchema = 1;

class JsonReporter : public Reporter {
 public:
  explicit JsonReporter(std::ostream& out) : out_(out) {
    Json line;
    line["kind"] = "start";
    line["schema"] = kSchema;
    line["version"] = QUORVANE_VERSION;
    Write(line);
  }

  void Show(const Message& message) override {
    Json line = Place("message");
    line["style"] = message.style == BoxStyle::kCritical ? "critical" : "plain";
    line["title"] = Shown(message.title);
    line["text"] = Shown(message.text);
    Write(line);
  }

  void Note(const std::string& text) override {
    Json line;
    line["kind"] = "note";
    line["mission"] = mission() ? Json(*mission()) : Json(nullptr);
    line["text"] = Shown(text);
    Write(line);
  }

  void Finished(const OperationOutcome& outcome) override {
    Json line = Place("result");
    line["result"] = outcome.result;
    line["files"] = outcome.report.files;
    line["incomplete"] = outcome.report.incomplete;
    line["runtime_error"] = RuntimeError(outcome.runtime_error);
    Write(line);
    for (const std::string& note : OutcomeNotes(outcome, false)) Note(note);
  }

  void RuntimeErrorOutsideMissions(const std::string& reason) override {
    Json line = Place("result");
    line["result"] = false;
    line["files"] = Json::array();
    line["incomplete"] = Json::array();
    line["runtime_error"] = RuntimeError(reason);
    Write(line);
  }

  void Summary(const RunSummary& summary, bool) override {
    Json counts;
    counts["missions"] = summary.missions;
    counts["compiled"] = summary.missions - summary.failed.size();
    counts["failed"] = summary.failed;
    Json line;
    line["kind"] = "summary";
    line["summary"] = counts;
    Write(line);
  }

 private:
  // The kind, mission and operation of a line; null outside any mission.
  Json Place(const char* kind) const {
    Json line;
    line["kind"] = kind;
    line["mission"] = mission() ? Json(*mission()) : Json(nullptr);
    line["operation"] = operation() ? Json(OperationName(*operation())) : Json(nullptr);
    return line;
  }

  static Json RuntimeError(const std::string& reason) {
    return reason.empty() ? Json(nullptr) : Json(Shown(reason));
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
