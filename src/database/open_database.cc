#include <cstring>

#include "database/database.h"
#include "database/jet/jet_source.h"
#include "database/loaded_database.h"
#include "database/sqlite/sqlite_source.h"
#include "platform/file_calls.h"

namespace quorvane::db {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";  // and its terminating zero
constexpr char kJetMagic[] = "\0\1\0\0Standard Jet DB";
constexpr size_t kJetVersionOffset = 0x14;
constexpr size_t kHeadSize = 32;

// What a file that is not a regular file is, for the refusal.
std::string KindOfFile(files::FileKind kind) {
  switch (kind) {
    case files::FileKind::kFolder:
      return "a folder";
    case files::FileKind::kPipe:
      return "a named pipe";
    case files::FileKind::kSocket:
      return "a socket";
    case files::FileKind::kDevice:
      return "a device";
    default:
      return "not a regular file";
  }
}

void RequireRegularFile(const std::string& path, files::FileKind kind) {
  if (kind != files::FileKind::kRegular) {
    throw OpenError("'" + path + "' is " + KindOfFile(kind) + ", not a database file");
  }
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) files::CloseFile(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void ThrowCannotRead(const std::string& path, int error) {
  throw OpenError("cannot read '" + path + "': " + files::ErrorText(error));
}

// The first bytes of the file at `path`. Only a regular file is read, and
// opening never waits: a named pipe, a device or a folder is refused before it
// is opened, and again if one took the file's place in between.
std::string ReadHead(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw OpenError("the path holds a NUL character");
  int error = 0;
  std::optional<files::FileInfo> info = files::Examine(path, error);
  if (!info) ThrowCannotRead(path, error);
  RequireRegularFile(path, info->kind);
  FileDescriptor file(files::OpenForReading(path, error));
  if (file.get() < 0) ThrowCannotRead(path, error);
  RequireRegularFile(path, files::KindOfOpenFile(file.get()));
  std::string head(kHeadSize, '\0');
  size_t filled = 0;
  while (filled < head.size()) {
    long got = files::ReadSome(file.get(), head.data() + filled, head.size() - filled, error);
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  if (filled < head.size()) {
    throw OpenError("cannot read '" + path + "' or it is too short to be a database");
  }
  return head;
}

}  // namespace

std::unique_ptr<Database> OpenDatabase(const std::string& path) {
  std::string head = ReadHead(path);
  if (std::memcmp(head.data(), kSqliteMagic, sizeof kSqliteMagic) == 0) {
    return std::make_unique<LoadedDatabase>(OpenSqliteSource(path));
  }
  if (std::memcmp(head.data(), kJetMagic, sizeof kJetMagic) == 0) {
    unsigned char version = static_cast<unsigned char>(head[kJetVersionOffset]);
    if (version > 1) {
      throw OpenError("'" + path + "' is a Jet database of a version other than 3 or 4");
    }
    return std::make_unique<LoadedDatabase>(OpenJetSource(path, version == 0 ? 3 : 4));
  }
  throw OpenError("'" + path + "' is neither a Jet nor a SQLite database");
}

}  // namespace quorvane::db
