#include <cstring>
#include <fstream>

#include "database/database.h"
#include "database/jet_source.h"
#include "database/loaded_database.h"
#include "database/sqlite_source.h"

namespace quorvane::db {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";  // and its terminating zero
constexpr char kJetMagic[] = "\0\1\0\0Standard Jet DB";
constexpr size_t kJetVersionOffset = 0x14;

}  // namespace

std::unique_ptr<Database> OpenDatabase(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char head[32] = {};
  if (!file || !file.read(head, sizeof head)) {
    throw OpenError("cannot read '" + path + "' or it is too short to be a database");
  }
  file.close();
  if (std::memcmp(head, kSqliteMagic, sizeof kSqliteMagic) == 0) {
    return std::make_unique<LoadedDatabase>(OpenSqliteSource(path));
  }
  if (std::memcmp(head, kJetMagic, sizeof kJetMagic) == 0) {
    unsigned char version = static_cast<unsigned char>(head[kJetVersionOffset]);
    if (version > 1) {
      throw OpenError("'" + path + "' is a Jet database of a version other than 3 or 4");
    }
    return std::make_unique<LoadedDatabase>(OpenJetSource(path, version == 0 ? 3 : 4));
  }
  throw OpenError("'" + path + "' is neither a Jet nor a SQLite database");
}

}  // namespace quorvane::db
