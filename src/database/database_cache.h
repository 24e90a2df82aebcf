#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "database/database.h"

namespace quorvane::db {

// The databases loaded during one run of a host, shared by its compiler
// objects. A loaded database never changes, so every mission compiled from
// one file reads the same loaded tables. Each opening still looks at the file:
// when its device, inode, size or modification time differ from the loaded
// one's (or those of its SQLite write-ahead log, `-wal`), the file is loaded
// again.
class DatabaseCache {
 public:
  // The database at `path`. Throws OpenError as OpenDatabase does.
  std::shared_ptr<Database> Open(const std::string& path);

  // What tells one state of a file from another.
  struct FileState {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modified_seconds = 0;
    int64_t modified_nanoseconds = 0;
    bool operator==(const FileState&) const = default;
  };

 private:
  struct State {
    FileState file;
    FileState log;  // all zero without a log
    bool operator==(const State&) const = default;
  };
  struct Loaded {
    State state;
    std::shared_ptr<Database> database;
  };

  std::map<std::string, Loaded> loaded_;  // by path as given
};

}  // namespace quorvane::db
