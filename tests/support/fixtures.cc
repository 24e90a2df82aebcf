#include "support/fixtures.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <random>
#include <stdexcept>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

// The test data kept in the repository.
fs::path FixtureDir() { return fs::path(QUORVANE_SOURCE_DIR) / "tests" / "data"; }

// The third-party sample databases, which the repository may not hold: they
// are looked for in shared/fixtures/thirdparty beside the checkout.
fs::path ThirdpartyDir() {
  return fs::path(QUORVANE_SOURCE_DIR).parent_path() / "shared" / "fixtures" / "thirdparty";
}

// The process's own temporary folder, removed when the process ends.
const fs::path& ProcessTempDir() {
  static const fs::path dir = [] {
    std::random_device random;
    fs::path made;
    for (int tries = 0; made.empty(); ++tries) {
      fs::path candidate =
          fs::temp_directory_path() / ("quorvane-tests-" + std::to_string(random()));
      if (fs::create_directory(candidate)) made = candidate;
      if (tries == 100) throw std::runtime_error("cannot create a temporary folder");
    }
    static struct Remover {
      fs::path path;
      ~Remover() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
      }
    } remover{made};
    return made;
  }();
  return dir;
}

std::string ReadFixture(const std::string& file_name) {
  std::ifstream in(FixturePath(file_name), std::ios::binary);
  if (!in) throw std::runtime_error("no fixture " + file_name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The SQL text of the fixture NAME.sql. A mission fixture holds only its rows;
// its tables come first, from schema.sql.
std::string FixtureSql(const std::string& name) {
  std::string text = ReadFixture(name + ".sql");
  if (text.find("CREATE TABLE") != std::string::npos) return text;
  return ReadFixture("schema.sql") + text;
}

}  // namespace

std::string FixturePath(const std::string& name) {
  const std::string thirdparty = "thirdparty/";
  if (name.rfind(thirdparty, 0) == 0)
    return (ThirdpartyDir() / name.substr(thirdparty.size())).string();
  return (FixtureDir() / name).string();
}

bool ThirdpartyAvailable() { return fs::exists(ThirdpartyDir() / "jet3_sample.mdb"); }

std::string TempDir() {
  static int counter = 0;
  fs::path dir = ProcessTempDir() / ("t" + std::to_string(++counter));
  fs::create_directories(dir);
  return dir.string();
}

std::string SqliteDatabase(const std::string& path, const std::string& sql,
                           const std::string& what) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("cannot create " + path);
  }
  char* error = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(what + ": " + message);
  return path;
}

std::string SqliteFixture(const std::string& name) {
  static std::mutex mutex;
  static std::map<std::string, std::string> built;
  std::lock_guard lock(mutex);
  if (auto it = built.find(name); it != built.end()) return it->second;
  std::string path = (ProcessTempDir() / (name + ".sqlite")).string();
  SqliteDatabase(path, FixtureSql(name), name + ".sql");
  return built[name] = path;
}

std::string SqliteFixtureWith(const std::string& name, const std::string& statements) {
  std::string path = TempDir() + "/" + name + ".sqlite";
  SqliteDatabase(path, FixtureSql(name) + "\n" + statements + ";\n", name + ".sql");
  return path;
}

}  // namespace quorvane::testing
