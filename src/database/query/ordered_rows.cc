#include "database/query/ordered_rows.h"

#include <algorithm>
#include <charconv>
#include <utility>

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

// "[Name] = 12", "[Name] =-3", "[Name] = 2.5": the field name and the number
// as the criteria parser reads them.
std::optional<std::pair<std::string_view, double>> NumberEquality(std::string_view text) {
  if (text.size() < 4 || text[0] != '[') return std::nullopt;
  size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view name = text.substr(1, close - 1);
  size_t pos = close + 1;
  auto blanks = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  blanks();
  if (pos >= text.size() || text[pos] != '=') return std::nullopt;
  ++pos;
  blanks();
  bool negative = pos < text.size() && text[pos] == '-';
  if (negative) ++pos;
  size_t digits = pos;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
  if (pos == digits) return std::nullopt;
  if (pos < text.size() && text[pos] == '.') {
    size_t fraction = ++pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
    if (pos == fraction) return std::nullopt;
  }
  size_t end = pos;
  blanks();
  if (pos != text.size()) return std::nullopt;
  double number = 0;
  std::from_chars(text.data() + digits, text.data() + end, number);
  return std::make_pair(name, negative ? -number : number);
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

OrderedRows::SearchPlan OrderedRows::MakePlan(Criteria criteria) {
  SearchPlan plan{std::move(criteria)};
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
  auto plan = std::make_unique<SearchPlan>(MakePlan(Criteria::Parse(text, *table_)));
  return *plans_.emplace(std::string(text), std::move(plan)).first->second;
}

std::optional<size_t> OrderedRows::Scan(const Criteria& criteria, size_t start) const {
  for (size_t position = start; position < size(); ++position) {
    if (criteria.Evaluate(*table_, RowAt(position)) == Truth::kTrue) return position;
  }
  return std::nullopt;
}

std::optional<std::optional<size_t>> OrderedRows::FindNumber(std::string_view text, size_t start) {
  auto equality = NumberEquality(text);
  if (!equality) return std::nullopt;
  auto column = table_->FindColumn(equality->first);
  if (!column || KindOf(table_->columns()[*column].type) == ValueKind::kText) return std::nullopt;
  const TableData::Content& content = table_->content(*column);
  if (content.texts || content.not_a_number) return std::nullopt;
  if (column_indexes_.size() <= *column) column_indexes_.resize(table_->column_count());
  const EqualityIndex*& index = column_indexes_[*column];
  if (!index) index = &IndexOn({*column});
  const double number = equality->second;
  std::span<const uint32_t> candidates = index->Candidates(
      EqualityIndex::Combine(EqualityIndex::kEmptyKey, EqualityIndex::HashNumber(number)));
  for (auto it = std::lower_bound(candidates.begin(), candidates.end(), start);
       it != candidates.end(); ++it) {
    if (CriteriaNumber(table_->Cell(RowAt(*it), *column)) == number) {
      return std::optional<size_t>(*it);
    }
  }
  return std::optional<size_t>();
}

std::optional<size_t> OrderedRows::Find(std::string_view text, size_t start) {
  if (auto found = FindNumber(text, start)) return *found;
  const SearchPlan& plan = PlanFor(text);
  if (!plan.index) return Scan(plan.criteria, start);
  std::span<const uint32_t> candidates = plan.index->Candidates(plan.key);
  for (auto it = std::lower_bound(candidates.begin(), candidates.end(), start);
       it != candidates.end(); ++it) {
    if (plan.criteria.Evaluate(*table_, RowAt(*it)) == Truth::kTrue) return *it;
  }
  return std::nullopt;
}

std::vector<uint32_t> OrderedRows::Matching(Criteria criteria) {
  SearchPlan plan = MakePlan(std::move(criteria));
  std::vector<uint32_t> rows;
  auto take = [&](size_t position) {
    if (plan.criteria.Evaluate(*table_, RowAt(position)) == Truth::kTrue) {
      rows.push_back(RowAt(position));
    }
  };
  if (plan.index) {
    for (uint32_t position : plan.index->Candidates(plan.key)) take(position);
  } else {
    for (size_t position = 0; position < size(); ++position) take(position);
  }
  return rows;
}

}  // namespace quorvane::db
