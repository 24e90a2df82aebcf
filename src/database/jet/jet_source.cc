#include "database/jet/jet_source.h"

#include "database/database.h"
#include "database/jet/jet_reader.h"
#include "platform/paged_file.h"

namespace quorvane::db {
namespace {

class JetSource : public TableSource {
 public:
  JetSource(std::unique_ptr<PagedFile> file, int jet_version)
      : file_(std::move(file)),
        reader_(JetPages([file = file_.get()](uint32_t page) { return file->Page(page); },
                         file_->size(), jet_version)) {}

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
  // A page that could not be read reads as missing, so the rows on it are
  // reported damaged; the reason is told once beside that.
  std::vector<std::string> TakeDiagnostics() override {
    if (file_->failure().empty() || failure_told_) return {};
    failure_told_ = true;
    return {file_->failure()};
  }

 private:
  const JetTable& Find(const std::string& name) const {
    for (const auto& table : reader_.tables()) {
      if (table.name == name) return table;
    }
    throw RuntimeError("No table " + name + " in the Jet file.");
  }

  std::unique_ptr<PagedFile> file_;
  JetReader reader_;
  bool failure_told_ = false;
};

}  // namespace

std::unique_ptr<TableSource> OpenJetSource(const std::string& path, int jet_version) {
  std::unique_ptr<PagedFile> file;
  try {
    file = PagedFile::Open(path, jet_version == 3 ? kJet3PageSize : kJet4PageSize);
  } catch (const FileReadError&) {
    throw OpenError("cannot read " + path);
  }
  return std::make_unique<JetSource>(std::move(file), jet_version);
}

}  // namespace quorvane::db
