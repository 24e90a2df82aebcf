#include "cli/convert.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/commands.h"
#include "forms/sql_twin.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

// A new, empty file beside `target` that becomes the target when the
// conversion is done, and is removed if it is not.
class PendingTarget {
 public:
  explicit PendingTarget(const std::string& target) : target_(target) {
    fs::path target_path = files::NativePath(target);
    fs::path folder = target_path.parent_path();
    std::string prefix =
        files::Utf8Path((folder.empty() ? fs::path(".") : folder) /
                        files::NativePath("." + files::Utf8Path(target_path.filename()) + "."));
    try {
      path_ = files::MakeUniqueFile(prefix);
    } catch (const std::system_error&) {
      throw RuntimeError("Cannot create a file beside '" + target + "'");
    }
  }
  ~PendingTarget() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove(files::NativePath(path_), ignored);
  }
  PendingTarget(const PendingTarget&) = delete;
  PendingTarget& operator=(const PendingTarget&) = delete;

  const std::string& path() const { return path_; }

  // Puts the finished file in the target's place.
  void Commit() {
    if (int error = files::RenameOver(path_, target_); error != 0) {
      throw RuntimeError("Cannot write '" + target_ + "': " + files::ErrorText(error));
    }
    path_.clear();
  }

 private:
  std::string target_;
  std::string path_;
};

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(files::NativePath(path), std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw RuntimeError("Cannot write '" + path + "'");
}

}  // namespace

int ConvertDatabase(const std::string& source, const std::string& target, bool force,
                    std::ostream& err) {
  std::error_code error;
  if (!force && fs::exists(fs::symlink_status(files::NativePath(target), error))) {
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
    fs::remove(files::NativePath(pending.path()), error);  // SQLite makes the file itself
    db::CreateSqliteDatabase(pending.path(), sql.str());
  }
  pending.Commit();
  return kSuccess;
}

}  // namespace quorvane::cli
