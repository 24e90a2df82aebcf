#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "database/database.h"
#include "database/database_cache.h"
#include "platform/message_sink.h"
#include "platform/output_file.h"
#include "run/text_watch.h"

namespace quorvane {

// The member state of one compiler object that all its steps share: the
// messages, the open mission database, the output folder and the open output
// files. The FIT writer's and the script writers' own state is kept beside it
// (FitState, ScriptState); the compiler object owns all three. Nothing is reset
// at the start of an operation except by the step that owns it.
struct RunState {
  explicit RunState(MessageSink& sink) : messages(sink), text_watch(*this) {
    files.set_watcher(&text_watch);
  }
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;

  MessageSink& messages;
  std::shared_ptr<db::Database> database;
  // The host's loaded databases, shared with its other compiler objects; none
  // when the database is loaded again for every operation.
  std::shared_ptr<db::DatabaseCache> databases;
  std::string database_file;  // the resolved database path
  // Why the last OpenMissionDatabase could not open the file; empty when it could.
  std::string database_open_failure;
  std::string output_folder;  // always ends in "/"
  std::string creation_date;  // "YYYY-MM-DD" of the header lines
  // The mission the current operation compiles, set when it begins; every
  // step reads it from here.
  int16_t mission = 0;
  OutputFiles files;
  // Notes designer texts that change the meaning of the lines they are written in.
  TextWatch text_watch;
};

}  // namespace quorvane
