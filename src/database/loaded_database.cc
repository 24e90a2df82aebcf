#include "database/loaded_database.h"

#include "database/criteria.h"
#include "database/dynaset.h"
#include "database/jet_text.h"
#include "database/select_query.h"

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

LoadedDatabase::Table& LoadedDatabase::Find(std::string_view name) {
  auto it = tables_.find(FoldCase(name));
  if (it == tables_.end()) {
    throw RuntimeError("Cannot find the input table or query '" + std::string(name) + "'.");
  }
  return it->second;
}

const std::shared_ptr<const TableData>& LoadedDatabase::Loaded(Table& table) {
  if (!table.data) table.data = std::make_shared<const TableData>(source_->Load(table.name));
  return table.data;
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

std::shared_ptr<OrderedRows> LoadedDatabase::Select(std::string_view source) {
  SelectQuery query = ParseSource(source);
  Table& table = Find(query.table);
  std::shared_ptr<const TableData> data = Loaded(table);
  if (!query.HasWhere() && query.order.empty()) {
    if (!table.stored_order) table.stored_order = std::make_shared<OrderedRows>(data);
    return table.stored_order;
  }
  std::string where;
  if (query.HasWhere()) {
    where =
        Criteria::Parse(query.tokens, query.where_begin, query.where_end, source, *data).ToSql();
  }
  std::string order;
  for (const auto& key : query.order) {
    auto column = data->FindColumn(key.field);
    if (!column) {
      throw RuntimeError("Unknown field '" + key.field + "' in ORDER BY of '" +
                         std::string(source) + "'.");
    }
    if (!order.empty()) order += ", ";
    order += "c" + std::to_string(*column) + (key.descending ? " DESC" : " ASC");
  }
  const std::string& engine_table = InEngine(table);
  return std::make_shared<OrderedRows>(data, engine_->Select(engine_table, where, order));
}

std::unique_ptr<Recordset> LoadedDatabase::OpenRecordset(std::string_view source) {
  auto it = sources_.find(std::string(source));
  if (it == sources_.end()) it = sources_.emplace(std::string(source), Select(source)).first;
  return std::make_unique<Dynaset>(it->second);
}

}  // namespace quorvane::db
