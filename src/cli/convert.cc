#include "cli/convert.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/commands.h"
#include "forms/sql_twin.h"
#include "platform/file_calls.h"
#include "platform/interrupts.h"
#include "platform/runtime_error.h"

namespace quorvane::cli {
namespace {

namespace fs = std::filesystem;

// A private folder beside `target` that the conversion writes into; the
// finished file is then renamed into the target's place. The folder goes with
// everything in it when the object goes, or when the run is interrupted, so
// that a failed or interrupted conversion leaves the target as it was.
class PendingTarget {
 public:
  explicit PendingTarget(const std::string& target) : target_(target) {
    size_t name_start = files::NameStart(target);
    std::string folder =
        name_start == 0 ? std::string(".") + files::kSeparator : target.substr(0, name_start);
    std::string name = target.substr(name_start);
    try {
      folder_ = files::MakeUniqueFolder(folder + "." + name + ".");
    } catch (const std::system_error& failure) {
      throw RuntimeError("Cannot create a folder beside '" + target +
                         "': " + failure.code().message());
    }
    interrupts::NoteFolder(folder_);
    path_ = folder_ + files::kSeparator + name;
  }
  ~PendingTarget() {
    std::error_code ignored;
    fs::remove_all(files::NativePath(folder_), ignored);
    interrupts::ForgetFolder(folder_);
  }
  PendingTarget(const PendingTarget&) = delete;
  PendingTarget& operator=(const PendingTarget&) = delete;

  const std::string& path() const { return path_; }

  // Puts the finished file in the target's place.
  void Commit() {
    if (int error = files::Replace(path_, target_); error != 0) {
      throw RuntimeError("Cannot write '" + target_ + "': " + files::ErrorText(error));
    }
  }

 private:
  std::string target_;
  std::string folder_;
  std::string path_;
};

// The first bytes of a file; empty when it cannot be read.
std::string Head(const std::string& path) {
  std::ifstream in(files::NativePath(path), std::ios::binary);
  std::string head(32, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

// Why an existing target may not be replaced, even with --force; empty when
// it may. Only what a conversion itself makes is replaced: a SQLite database,
// or SQL text under a name ending in ".sql".
std::string WhyNotReplaceable(const std::string& target) {
  std::error_code error;
  if (fs::is_directory(files::NativePath(target), error)) return "is a folder";
  std::string head = Head(target);
  if (head.starts_with(std::string_view("SQLite format 3\0", 16))) return "";
  if (head.starts_with(std::string_view("\0\1\0\0Standard Jet DB", 19))) {
    return "is a Jet database, not a SQLite database or .sql text";
  }
  if (target.ends_with(".sql") && head.find('\0') == std::string::npos) return "";
  if (head.empty() && fs::file_size(files::NativePath(target), error) == 0 && !error) return "";
  return "is not a SQLite database or .sql text";
}

// True when both names reach one file: the same device and inode, or the same
// path once links and dots are resolved.
bool SameFile(const std::string& source, const std::string& target) {
  std::error_code error;
  fs::path source_path = files::NativePath(source);
  fs::path target_path = files::NativePath(target);
  if (fs::equivalent(source_path, target_path, error) && !error) return true;
  fs::path a = fs::weakly_canonical(source_path, error);
  if (error) return false;
  fs::path b = fs::weakly_canonical(target_path, error);
  return !error && a == b;
}

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
  if (SameFile(source, target)) {
    err << "quorvane: error: '" << target
        << "' is the source database; convert never writes over its source\n";
    return kOperationFailed;
  }
  if (fs::exists(fs::symlink_status(files::NativePath(target), error))) {
    if (!force) {
      err << "quorvane: error: '" << target << "' exists; add --force to replace it\n";
      return kOperationFailed;
    }
    if (std::string why = WhyNotReplaceable(target); !why.empty()) {
      err << "quorvane: error: '" << target << "' " << why
          << "; convert --force replaces only those it makes\n";
      return kOperationFailed;
    }
  }
  std::ostringstream sql;
  auto database = OpenForReading(source);
  ReadNotingDiagnostics(*database, err, [&] { db::WriteSqlTwin(*database, sql); });
  PendingTarget pending(target);
  if (target.ends_with(".sql")) {
    WriteText(pending.path(), sql.str());
  } else {
    // SQLite writes into an empty file, which keeps the mode a new file gets.
    WriteText(pending.path(), "");
    db::CreateSqliteDatabase(pending.path(), sql.str());
  }
  pending.Commit();
  return kSuccess;
}

}  // namespace quorvane::cli
