#include "database/database_cache.h"

#include "platform/files.h"

namespace quorvane::db {

std::shared_ptr<Database> DatabaseCache::Open(const std::string& path) {
  int error = 0;
  std::optional<files::FileInfo> info = files::Examine(path, error);
  if (!info) {
    loaded_.erase(path);
    throw OpenError(files::ErrorText(error));
  }
  FileState state{info->device, info->file_id, info->size, info->modified_seconds,
                  info->modified_nanoseconds};
  auto it = loaded_.find(path);
  if (it != loaded_.end() && it->second.state == state) return it->second.database;
  loaded_.erase(path);
  std::shared_ptr<Database> database = OpenDatabase(path);
  loaded_[path] = Loaded{state, database};
  return database;
}

}  // namespace quorvane::db
