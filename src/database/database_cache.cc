#include "database/database_cache.h"

#include "platform/file_calls.h"

namespace quorvane::db {

namespace {

DatabaseCache::FileState StateOf(const files::FileInfo& info) {
  return {info.device, info.file_id, info.size, info.modified_seconds, info.modified_nanoseconds};
}

}  // namespace

std::shared_ptr<Database> DatabaseCache::Open(const std::string& path) {
  int error = 0;
  std::optional<files::FileInfo> info = files::Examine(path, error);
  if (!info) {
    loaded_.erase(path);
    throw OpenError(files::ErrorText(error));
  }
  State state{StateOf(*info), {}};
  // A SQLite database in write-ahead-log mode changes in its log first.
  if (auto log = files::Examine(path + "-wal", error)) state.log = StateOf(*log);
  auto it = loaded_.find(path);
  if (it != loaded_.end() && it->second.state == state) return it->second.database;
  loaded_.erase(path);
  std::shared_ptr<Database> database = OpenDatabase(path);
  loaded_[path] = Loaded{state, database};
  return database;
}

}  // namespace quorvane::db
