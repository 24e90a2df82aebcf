#include "cli/convert.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/commands.h"
#include "forms/sql_twin.h"
#include "platform/runtime_error.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

// A new, empty file beside `target` that becomes the target when the
// conversion is done, and is removed if it is not.
class PendingTarget {
 public:
  explicit PendingTarget(const std::string& target) : target_(target) {
    fs::path folder = fs::path(target).parent_path();
    std::string pattern = ((folder.empty() ? fs::path(".") : folder) /
                           ("." + fs::path(target).filename().string() + ".XXXXXX"))
                              .string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) throw RuntimeError("Cannot create a file beside '" + target + "'");
    // The permissions a new file gets (mkstemp gives only the owner's).
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    path_ = pattern;
  }
  ~PendingTarget() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove(path_, ignored);
  }
  PendingTarget(const PendingTarget&) = delete;
  PendingTarget& operator=(const PendingTarget&) = delete;

  const std::string& path() const { return path_; }

  // Puts the finished file in the target's place.
  void Commit() {
    std::error_code error;
    fs::rename(path_, target_, error);
    if (error) throw RuntimeError("Cannot write '" + target_ + "': " + error.message());
    path_.clear();
  }

 private:
  std::string target_;
  std::string path_;
};

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw RuntimeError("Cannot write '" + path + "'");
}

}  // namespace

int ConvertDatabase(const std::string& source, const std::string& target, bool force,
                    std::ostream& err) {
  std::error_code error;
  if (!force && fs::exists(fs::symlink_status(target, error))) {
    err << "quorvane: error: '" << target << "' exists; add --force to replace it\n";
    return kOperationFailed;
  }
  std::ostringstream sql;
  auto database = OpenForReading(source);
  db::WriteSqlTwin(*database, sql);
  NoteDiagnostics(*database, err);
  PendingTarget pending(target);
  if (target.ends_with(".sql")) {
    WriteText(pending.path(), sql.str());
  } else {
    // SQLite writes into the empty file, which keeps the mode a new file gets.
    db::CreateSqliteDatabase(pending.path(), sql.str());
  }
  pending.Commit();
  return kSuccess;
}

}  // namespace quorvane::cli
