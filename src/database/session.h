#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "database/database.h"
#include "platform/message_sink.h"
#include "platform/output_file.h"

namespace quorvane {

// The member state of one compiler object that all its steps share: the
// messages, the open mission database, the output folder and the open output
// files. The FIT writer's and the script writers' own state is kept beside it
// (FitState, ScriptState); the compiler object owns all three. Nothing is reset
// at the start of an operation except by the step that owns it.
struct Session {
  explicit Session(MessageSink& sink) : messages(sink) {}

  MessageSink& messages;
  std::unique_ptr<db::Database> database;
  std::string database_file;  // the resolved database path
  std::string output_folder;  // always ends in "/"
  std::string creation_date;  // "YYYY-MM-DD" of the header lines
  int16_t mission_identifier = 0;
  OutputFiles files;
};

}  // namespace quorvane
