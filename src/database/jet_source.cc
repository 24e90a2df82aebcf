#include "database/jet_source.h"

#include <fstream>

#include "database/database.h"
#include "database/jet_reader.h"

namespace quorvane::db {
namespace {

class JetSource : public TableSource {
 public:
  JetSource(std::vector<char> bytes, int jet_version)
      : bytes_(std::move(bytes)), reader_(bytes_, jet_version) {}

  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    for (const auto& table : reader_.tables()) names.push_back(table.name);
    return names;
  }

  std::vector<ColumnInfo> Columns(const std::string& table) override { return Find(table).columns; }

  TableData Load(const std::string& table) override { return reader_.Load(Find(table)); }

 private:
  const JetTable& Find(const std::string& name) const {
    for (const auto& table : reader_.tables()) {
      if (table.name == name) return table;
    }
    throw RuntimeError("No table " + name + " in the Jet file.");
  }

  std::vector<char> bytes_;  // the whole file; libmdb reads from this copy
  JetReader reader_;
};

}  // namespace

std::unique_ptr<TableSource> OpenJetSource(const std::string& path, int jet_version) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
  if (size < 0) throw OpenError("cannot read " + path);
  std::vector<char> bytes(static_cast<size_t>(size));
  file.seekg(0);
  if (!file.read(bytes.data(), size)) throw OpenError("cannot read " + path);
  return std::make_unique<JetSource>(std::move(bytes), jet_version);
}

}  // namespace quorvane::db
