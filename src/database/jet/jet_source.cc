#include "database/jet/jet_source.h"

#include "database/database.h"
#include "database/jet/jet_reader.h"
#include "platform/mapped_file.h"

namespace quorvane::db {
namespace {

class JetSource : public TableSource {
 public:
  JetSource(std::unique_ptr<MappedFile> file, int jet_version)
      : file_(std::move(file)), reader_(file_->bytes(), jet_version) {}

  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    for (const auto& table : reader_.tables()) names.push_back(table.name);
    return names;
  }

  std::vector<ColumnInfo> Columns(const std::string& table) override { return Find(table).columns; }

  TableData Load(const std::string& table) override { return reader_.Load(Find(table)); }
  void ReadRows(const std::string& table, const RowReader& row) override {
    reader_.ReadRows(Find(table), row);
  }

 private:
  const JetTable& Find(const std::string& name) const {
    for (const auto& table : reader_.tables()) {
      if (table.name == name) return table;
    }
    throw RuntimeError("No table " + name + " in the Jet file.");
  }

  std::unique_ptr<MappedFile> file_;
  JetReader reader_;
};

}  // namespace

std::unique_ptr<TableSource> OpenJetSource(const std::string& path, int jet_version) {
  std::unique_ptr<MappedFile> file;
  try {
    file = MappedFile::Open(path);
  } catch (const FileReadError&) {
    throw OpenError("cannot read " + path);
  }
  return std::make_unique<JetSource>(std::move(file), jet_version);
}

}  // namespace quorvane::db
