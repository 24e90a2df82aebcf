#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "database/database.h"
#include "fit/fit_state.h"
#include "platform/message_sink.h"
#include "platform/output_file.h"
#include "script/script_state.h"

namespace quorvane {

// The member state that the steps of one compiler object share: the open
// mission database, the output folder, the open output files and the state of
// the FIT and script writers. Nothing is reset at the start of an operation
// except by the step that owns it.
struct Session {
  explicit Session(MessageSink& sink) : messages(sink) {}

  MessageSink& messages;
  std::unique_ptr<db::Database> database;
  std::string database_file;  // the resolved database path
  std::string output_folder;  // always ends in "/"
  std::string creation_date;  // "YYYY-MM-DD" of the header lines
  int16_t mission_identifier = 0;
  OutputFiles files;
  FitState fit;
  ScriptState script;
};

}  // namespace quorvane
