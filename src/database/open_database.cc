#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "database/database.h"
#include "database/jet/jet_source.h"
#include "database/loaded_database.h"
#include "database/sqlite/sqlite_source.h"

namespace quorvane::db {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";  // and its terminating zero
constexpr char kJetMagic[] = "\0\1\0\0Standard Jet DB";
constexpr size_t kJetVersionOffset = 0x14;
constexpr size_t kHeadSize = 32;

// What a file that is not a regular file is, for the refusal.
std::string KindOfFile(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

void RequireRegularFile(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) {
    throw OpenError("'" + path + "' is " + KindOfFile(info.st_mode) + ", not a database file");
  }
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The first bytes of the file at `path`. Only a regular file is read, and
// opening never waits: a named pipe, a device or a folder is refused before it
// is opened, and again if one took the file's place in between.
std::string ReadHead(const std::string& path) {
  if (path.find('\0') != std::string::npos) throw OpenError("the path holds a NUL character");
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    throw OpenError("cannot read '" + path + "': " + std::strerror(errno));
  }
  RequireRegularFile(path, info);
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
    throw OpenError("cannot read '" + path + "': " + std::strerror(errno));
  }
  RequireRegularFile(path, info);
  std::string head(kHeadSize, '\0');
  size_t filled = 0;
  while (filled < head.size()) {
    ssize_t got = ::read(file.get(), head.data() + filled, head.size() - filled);
    if (got < 0 && errno == EINTR) continue;
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
