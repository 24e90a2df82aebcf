#include "database/jet/jet_source.h"

#include <fstream>
#include <utility>

#include "database/database.h"
#include "database/jet/jet_reader.h"
#include "platform/output_capture.h"

namespace quorvane::db {
namespace {

// The lines libmdb printed while it ran, joined for a reason text.
std::string Said(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "; ") + line;
  return text.empty() ? "" : " (the Jet library said: " + text + ")";
}

// libmdb prints its own warnings; they are kept from the terminal and handed
// on as diagnostics, or as part of the reason when reading fails.
class JetSource : public TableSource {
 public:
  JetSource(std::vector<char> bytes, int jet_version)
      : bytes_(std::move(bytes)), reader_(Open(bytes_, jet_version, diagnostics_)) {}

  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    for (const auto& table : reader_->tables()) names.push_back(table.name);
    return names;
  }

  std::vector<ColumnInfo> Columns(const std::string& table) override { return Find(table).columns; }

  TableData Load(const std::string& table) override {
    const JetTable& found = Find(table);
    OutputCapture capture;
    try {
      TableData data = reader_->Load(found);
      Keep(capture.Finish());
      return data;
    } catch (const RuntimeError& error) {
      throw RuntimeError(error.what() + Said(capture.Finish()));
    }
  }

  std::vector<std::string> TakeDiagnostics() override { return std::exchange(diagnostics_, {}); }

 private:
  static std::unique_ptr<JetReader> Open(const std::vector<char>& bytes, int jet_version,
                                         std::vector<std::string>& diagnostics) {
    OutputCapture capture;
    try {
      auto reader = std::make_unique<JetReader>(bytes, jet_version);
      diagnostics = capture.Finish();
      return reader;
    } catch (const OpenError& error) {
      throw OpenError(error.what() + Said(capture.Finish()));
    }
  }

  void Keep(const std::vector<std::string>& lines) {
    diagnostics_.insert(diagnostics_.end(), lines.begin(), lines.end());
  }

  const JetTable& Find(const std::string& name) const {
    for (const auto& table : reader_->tables()) {
      if (table.name == name) return table;
    }
    throw RuntimeError("No table " + name + " in the Jet file.");
  }

  std::vector<char> bytes_;  // the whole file; libmdb reads from this copy
  std::vector<std::string> diagnostics_;
  std::unique_ptr<JetReader> reader_;
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
