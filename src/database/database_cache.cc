#include "database/database_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quorvane::db {

namespace {

DatabaseCache::FileState StateOf(const struct stat& info) {
  return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
          static_cast<int64_t>(info.st_size), static_cast<int64_t>(info.st_mtim.tv_sec),
          static_cast<int64_t>(info.st_mtim.tv_nsec)};
}

}  // namespace

std::shared_ptr<Database> DatabaseCache::Open(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    loaded_.erase(path);
    throw OpenError(std::strerror(errno));
  }
  State state{StateOf(info), {}};
  // A SQLite database in write-ahead-log mode changes in its log first.
  if (stat((path + "-wal").c_str(), &info) == 0) state.log = StateOf(info);
  auto it = loaded_.find(path);
  if (it != loaded_.end() && it->second.state == state) return it->second.database;
  loaded_.erase(path);
  std::shared_ptr<Database> database = OpenDatabase(path);
  loaded_[path] = Loaded{state, database};
  return database;
}

}  // namespace quorvane::db
