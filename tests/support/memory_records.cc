#include "support/memory_records.h"

#include <algorithm>
#include <cctype>

#include "platform/runtime_error.h"

namespace quorvane::testing_support {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

const Variant* FindField(const MemoryRow& row, std::string_view name) {
  for (const auto& [field, value] : row) {
    if (SameText(field, name)) return &value;
  }
  return nullptr;
}

// One "[Field] = value" term against a row; a Null never matches.
bool TermMatches(const MemoryRow& row, std::string_view term) {
  size_t open = term.find('[');
  size_t close = term.find(']');
  size_t equals = term.find('=');
  if (open == std::string_view::npos || close == std::string_view::npos ||
      equals == std::string_view::npos) {
    throw RuntimeError("criteria not understood: " + std::string(term));
  }
  const Variant* value = FindField(row, term.substr(open + 1, close - open - 1));
  if (value == nullptr) throw RuntimeError("unknown field in " + std::string(term));
  std::string_view wanted = term.substr(equals + 1);
  while (!wanted.empty() && wanted.front() == ' ') wanted.remove_prefix(1);
  while (!wanted.empty() && wanted.back() == ' ') wanted.remove_suffix(1);
  if (value->IsNull()) return false;
  if (wanted.size() >= 2 && wanted.front() == '\'') {
    return SameText(JoinedForm(*value), wanted.substr(1, wanted.size() - 2));
  }
  double number = SameText(wanted, "TRUE")    ? -1
                  : SameText(wanted, "FALSE") ? 0
                                              : std::stod(std::string(wanted));
  return value->ToDouble() == number;
}

bool RowMatches(const MemoryRow& row, std::string_view criteria) {
  constexpr std::string_view kAnd = " AND ";
  while (true) {
    size_t split = criteria.find(kAnd);
    if (!TermMatches(row, criteria.substr(0, split))) return false;
    if (split == std::string_view::npos) return true;
    criteria.remove_prefix(split + kAnd.size());
  }
}

}  // namespace

const Variant& MemoryRecordset::Field(std::string_view name) const {
  if (Eof()) throw RuntimeError("no current record");
  const Variant* value = FindField(rows_[current_], name);
  if (value == nullptr) throw RuntimeError("unknown field " + std::string(name));
  return *value;
}

void MemoryRecordset::MoveNext() {
  if (Eof()) throw RuntimeError("no current record");
  ++current_;
}

void MemoryRecordset::Find(std::string_view criteria, size_t from) {
  for (size_t row = from; row < rows_.size(); ++row) {
    if (RowMatches(rows_[row], criteria)) {
      current_ = row;
      no_match_ = false;
      return;
    }
  }
  no_match_ = true;
}

std::unique_ptr<db::Recordset> MemoryDatabase::OpenRecordset(std::string_view source) {
  auto table = tables_.find(source);
  if (table == tables_.end()) throw RuntimeError("no table " + std::string(source));
  return std::make_unique<MemoryRecordset>(table->second);
}

std::vector<std::string> MemoryDatabase::TableNames() {
  std::vector<std::string> names;
  for (const auto& [name, rows] : tables_) names.push_back(name);
  return names;
}

std::vector<std::string> MemoryDatabase::ColumnNames(std::string_view table) {
  std::vector<std::string> names;
  auto found = tables_.find(table);
  if (found != tables_.end() && !found->second.empty()) {
    for (const auto& [field, value] : found->second.front()) names.push_back(field);
  }
  return names;
}

}  // namespace quorvane::testing_support
