#include "cli/convert.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "cli/commands.h"
#include "forms/sql_twin.h"
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
    fs::path folder = fs::path(target).parent_path();
    std::string name = fs::path(target).filename().string();
    std::string pattern =
        ((folder.empty() ? fs::path(".") : folder) / ("." + name + ".XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw RuntimeError("Cannot create a folder beside '" + target + "': " + std::strerror(errno));
    }
    folder_ = pattern;
    interrupts::NoteFolder(folder_);
    path_ = folder_ + "/" + name;
  }
  ~PendingTarget() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    interrupts::ForgetFolder(folder_);
  }
  PendingTarget(const PendingTarget&) = delete;
  PendingTarget& operator=(const PendingTarget&) = delete;

  const std::string& path() const { return path_; }

  // Puts the finished file in the target's place.
  void Commit() {
    std::error_code error;
    fs::rename(path_, target_, error);
    if (error) throw RuntimeError("Cannot write '" + target_ + "': " + error.message());
  }

 private:
  std::string target_;
  std::string folder_;
  std::string path_;
};

// The first bytes of a file; empty when it cannot be read.
std::string Head(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
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
  if (fs::is_directory(target, error)) return "is a folder";
  std::string head = Head(target);
  if (head.starts_with(std::string_view("SQLite format 3\0", 16))) return "";
  if (head.starts_with(std::string_view("\0\1\0\0Standard Jet DB", 19))) {
    return "is a Jet database, not a SQLite database or .sql text";
  }
  if (target.ends_with(".sql") && head.find('\0') == std::string::npos) return "";
  if (head.empty() && fs::file_size(target, error) == 0 && !error) return "";
  return "is not a SQLite database or .sql text";
}

// True when both names reach one file: the same device and inode, or the same
// path once links and dots are resolved.
bool SameFile(const std::string& source, const std::string& target) {
  std::error_code error;
  if (fs::equivalent(source, target, error) && !error) return true;
  fs::path a = fs::weakly_canonical(source, error);
  if (error) return false;
  fs::path b = fs::weakly_canonical(target, error);
  return !error && a == b;
}

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
  if (SameFile(source, target)) {
    err << "quorvane: error: '" << target
        << "' is the source database; convert never writes over its source\n";
    return kOperationFailed;
  }
  if (fs::exists(target, error) || fs::is_symlink(target, error)) {
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
  db::WriteSqlTwin(*database, sql);
  NoteDiagnostics(*database, err);
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
