#include "database/ordered_rows.h"

#include <algorithm>

namespace quorvane::db {
namespace {

// Distinct criteria texts kept parsed at once: enough for every search a
// mission makes in a row, few enough that one text per unit stays small.
constexpr size_t kPlanCacheSize = 1024;

uint64_t HashOf(const ColumnEquality& term) {
  if (const double* number = std::get_if<double>(&term.key)) {
    return EqualityIndex::HashNumber(*number);
  }
  return EqualityIndex::HashText(std::get<std::string>(term.key));
}

}  // namespace

OrderedRows::OrderedRows(std::shared_ptr<const TableData> table)
    : table_(std::move(table)), stored_order_(true) {}

OrderedRows::OrderedRows(std::shared_ptr<const TableData> table, std::vector<uint32_t> rows)
    : table_(std::move(table)), stored_order_(false), rows_(std::move(rows)) {}

const EqualityIndex& OrderedRows::IndexOn(const std::vector<size_t>& columns) {
  std::unique_ptr<EqualityIndex>& index = indexes_[columns];
  if (!index) index = std::make_unique<EqualityIndex>(*this, columns);
  return *index;
}

OrderedRows::SearchPlan OrderedRows::MakePlan(std::string_view text) {
  SearchPlan plan{Criteria::Parse(text, *table_)};
  if (!plan.criteria.NeverMismatches(*table_)) return plan;
  // One term per column (the first); the candidates are checked against the
  // whole criteria, so the others still count.
  std::map<size_t, uint64_t> key_parts;
  for (const ColumnEquality& term : plan.criteria.Equalities()) {
    if (table_->content(term.column).not_a_number) continue;
    key_parts.emplace(term.column, HashOf(term));
  }
  if (key_parts.empty()) return plan;
  std::vector<size_t> columns;
  plan.key = EqualityIndex::kEmptyKey;
  for (const auto& [column, hash] : key_parts) {
    columns.push_back(column);
    plan.key = EqualityIndex::Combine(plan.key, hash);
  }
  plan.index = &IndexOn(columns);
  return plan;
}

const OrderedRows::SearchPlan& OrderedRows::PlanFor(std::string_view text) {
  auto it = plans_.find(std::string(text));
  if (it != plans_.end()) return *it->second;
  if (plans_.size() >= kPlanCacheSize) plans_.clear();
  auto plan = std::make_unique<SearchPlan>(MakePlan(text));
  return *plans_.emplace(std::string(text), std::move(plan)).first->second;
}

std::optional<size_t> OrderedRows::Scan(const Criteria& criteria, size_t start) const {
  for (size_t position = start; position < size(); ++position) {
    if (criteria.Evaluate(*table_, RowAt(position)) == Truth::kTrue) return position;
  }
  return std::nullopt;
}

std::optional<size_t> OrderedRows::Find(std::string_view text, size_t start) {
  const SearchPlan& plan = PlanFor(text);
  if (!plan.index) return Scan(plan.criteria, start);
  std::span<const uint32_t> candidates = plan.index->Candidates(plan.key);
  for (auto it = std::lower_bound(candidates.begin(), candidates.end(), start);
       it != candidates.end(); ++it) {
    if (plan.criteria.Evaluate(*table_, RowAt(*it)) == Truth::kTrue) return *it;
  }
  return std::nullopt;
}

}  // namespace quorvane::db
