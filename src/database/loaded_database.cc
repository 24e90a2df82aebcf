#include "database/loaded_database.h"

#include <numeric>

#include "database/cell_origin.h"
#include "database/texts_of_note.h"
#include "database/query/criteria.h"
#include "database/query/dynaset.h"
#include "database/jet/jet_text.h"
#include "database/query/select_query.h"
#include "database/query/sort_rows.h"

namespace quorvane::db {

LoadedDatabase::LoadedDatabase(std::unique_ptr<TableSource> source)
    : source_(std::move(source)), table_names_(source_->TableNames()) {
  for (const auto& name : table_names_) {
    tables_.try_emplace(FoldCase(name), Table{name, nullptr, "", nullptr});
  }
}

std::vector<std::string> LoadedDatabase::TableNames() { return table_names_; }

std::vector<ColumnInfo> LoadedDatabase::Columns(std::string_view table) {
  Table& found = Find(table);
  if (found.data) return found.data->columns();
  return source_->Columns(found.name);
}

std::vector<std::string> LoadedDatabase::ColumnNames(std::string_view table) {
  std::vector<std::string> names;
  for (const auto& column : Columns(table)) names.push_back(column.name);
  return names;
}

std::string LoadedDatabase::ValueOrigin(const Variant* value) const {
  for (const auto& [folded, table] : tables_) {
    if (!table.data) continue;
    if (auto place = table.data->Locate(value)) return DescribeCell(*table.data, *place);
  }
  return "";
}

LoadedDatabase::Table& LoadedDatabase::Find(std::string_view name) {
  auto it = tables_.find(FoldCase(name));
  if (it == tables_.end()) {
    throw RuntimeError("Cannot find the input table or query '" + std::string(name) + "'.");
  }
  return it->second;
}

const std::shared_ptr<const TableData>& LoadedDatabase::Loaded(Table& table) {
  if (!table.data) {
    table.data = std::make_shared<const TableData>(source_->Load(table.name));
    unsearched_.push_back(table.data.get());
  }
  return table.data;
}

const std::vector<TextOfNote>& LoadedDatabase::TextsOfNote() const {
  for (const TableData* data : unsearched_) GatherTextsOfNote(*data, texts_of_note_);
  unsearched_.clear();
  return texts_of_note_;
}

void LoadedDatabase::ReadRows(std::string_view name,
                              const std::function<void(std::span<const Variant> values)>& row) {
  Table& table = Find(name);
  if (table.data) {
    for (size_t r = 0; r < table.data->row_count(); ++r) row(table.data->Row(r));
  } else {
    source_->ReadRows(table.name, [&](std::span<Variant> values) { row(values); });
  }
}

const std::string& LoadedDatabase::InEngine(Table& table) {
  if (table.engine_name.empty()) {
    if (!engine_) engine_ = std::make_unique<QueryEngine>();
    std::string name = "t" + std::to_string(engine_tables_++);
    engine_->AddTable(name, *Loaded(table));
    table.engine_name = name;
  }
  return table.engine_name;
}

const std::shared_ptr<OrderedRows>& LoadedDatabase::StoredOrder(Table& table) {
  if (!table.stored_order) table.stored_order = std::make_shared<OrderedRows>(Loaded(table));
  return table.stored_order;
}

std::shared_ptr<OrderedRows> LoadedDatabase::Select(std::string_view source) {
  SelectQuery query = ParseSource(source);
  Table& table = Find(query.table);
  std::shared_ptr<const TableData> data = Loaded(table);
  if (!query.HasWhere() && query.order.empty()) return StoredOrder(table);
  std::optional<Criteria> where;
  if (query.HasWhere()) {
    where = Criteria::Parse(query.tokens, query.where_begin, query.where_end, source, *data);
  }
  std::vector<SortKey> keys;
  bool not_a_number = false;
  for (const auto& key : query.order) {
    auto column = data->FindColumn(key.field);
    if (!column) {
      throw RuntimeError("Unknown field '" + key.field + "' in ORDER BY of '" +
                         std::string(source) + "'.");
    }
    keys.push_back({*column, key.descending});
    not_a_number = not_a_number || data->content(*column).not_a_number;
  }
  // The query engine stands in where a row could compare a text with a number
  // or sort a NaN, so that such data select and order as the engine has them.
  if ((where && !where->NeverMismatches(*data)) || not_a_number) {
    return std::make_shared<OrderedRows>(data, SelectInEngine(table, where, keys));
  }
  std::vector<uint32_t> rows;
  if (where) {
    rows = StoredOrder(table)->Matching(std::move(*where));
  } else {
    rows.resize(data->row_count());
    std::iota(rows.begin(), rows.end(), 0u);
  }
  SortRows(*data, keys, rows);
  return std::make_shared<OrderedRows>(data, std::move(rows));
}

std::vector<uint32_t> LoadedDatabase::SelectInEngine(Table& table,
                                                     const std::optional<Criteria>& where,
                                                     const std::vector<SortKey>& keys) {
  std::string order;
  for (const SortKey& key : keys) {
    if (!order.empty()) order += ", ";
    order += "c" + std::to_string(key.column) + (key.descending ? " DESC" : " ASC");
  }
  const std::string& engine_table = InEngine(table);
  return engine_->Select(engine_table, where ? where->ToSql() : std::string(), order);
}

std::unique_ptr<Recordset> LoadedDatabase::OpenRecordset(std::string_view source) {
  auto it = sources_.find(std::string(source));
  if (it == sources_.end()) it = sources_.emplace(std::string(source), Select(source)).first;
  return std::make_unique<Dynaset>(it->second);
}

}  // namespace quorvane::db
