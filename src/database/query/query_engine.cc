#include "database/query/query_engine.h"

#include <charconv>

#include "database/jet/jet_text.h"
#include "platform/runtime_error.h"

namespace quorvane::db {
namespace {

int JetCollation(void*, int size_a, const void* a, int size_b, const void* b) {
  return CompareText(std::string_view(static_cast<const char*>(a), static_cast<size_t>(size_a)),
                     std::string_view(static_cast<const char*>(b), static_cast<size_t>(size_b)));
}

void Bind(sqlite3_stmt* stmt, int index, const Variant& value) {
  switch (value.type()) {
    case VariantType::kEmpty:
    case VariantType::kNull:
      sqlite3_bind_null(stmt, index);
      break;
    case VariantType::kBoolean:
      sqlite3_bind_int(stmt, index, value.boolean_value() ? -1 : 0);
      break;
    case VariantType::kByte:
    case VariantType::kInteger:
    case VariantType::kLong:
      sqlite3_bind_int64(stmt, index, value.integer_value());
      break;
    case VariantType::kCurrency:
      sqlite3_bind_double(stmt, index, static_cast<double>(value.integer_value()) / 10000.0);
      break;
    case VariantType::kSingle:
    case VariantType::kDouble:
    case VariantType::kDate:
      sqlite3_bind_double(stmt, index, value.real_value());
      break;
    case VariantType::kDecimal: {
      double number = 0;
      std::string_view text = value.text_value();
      std::from_chars(text.data(), text.data() + text.size(), number);
      sqlite3_bind_double(stmt, index, number);
      break;
    }
    case VariantType::kString:
      sqlite3_bind_text(stmt, index, value.text_value().data(),
                        static_cast<int>(value.text_value().size()), SQLITE_STATIC);
      break;
  }
}

}  // namespace

QueryEngine::QueryEngine() {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  db_.reset(raw);
  if (rc != SQLITE_OK) throw RuntimeError("Cannot start the query engine.");
  sqlite3_create_collation_v2(db_.get(), "JET", SQLITE_UTF8, nullptr, JetCollation, nullptr);
}

void QueryEngine::AddTable(const std::string& engine_table, const TableData& table) {
  std::string create = "CREATE TABLE " + engine_table + " (";
  std::string insert = "INSERT INTO " + engine_table + " VALUES (";
  for (size_t i = 0; i < table.column_count(); ++i) {
    create += (i ? ", c" : "c") + std::to_string(i) + " COLLATE JET";
    insert += i ? ", ?" : "?";
  }
  if (table.column_count() == 0) create += "c0";
  Execute(db_.get(), create + ")");
  if (table.column_count() == 0) return;
  Execute(db_.get(), "BEGIN");
  try {
    auto stmt = Prepare(db_.get(), insert + ")");
    for (size_t row = 0; row < table.row_count(); ++row) {
      for (size_t column = 0; column < table.column_count(); ++column) {
        Bind(stmt.get(), static_cast<int>(column) + 1, table.Cell(row, column));
      }
      if (sqlite3_step(stmt.get()) != SQLITE_DONE) {
        throw RuntimeError("Cannot load table " + table.name() + " into the query engine.");
      }
      sqlite3_reset(stmt.get());
    }
  } catch (...) {
    sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  Execute(db_.get(), "COMMIT");
}

std::vector<uint32_t> QueryEngine::Select(const std::string& engine_table,
                                          const std::string& where_sql,
                                          const std::string& order_sql) {
  std::string sql = "SELECT rowid FROM " + engine_table;
  if (!where_sql.empty()) sql += " WHERE " + where_sql;
  sql += " ORDER BY " + (order_sql.empty() ? std::string() : order_sql + ", ") + "rowid";
  auto stmt = Prepare(db_.get(), sql);
  std::vector<uint32_t> positions;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    positions.push_back(static_cast<uint32_t>(sqlite3_column_int64(stmt.get(), 0) - 1));
  }
  if (rc != SQLITE_DONE) throw RuntimeError(sqlite3_errmsg(db_.get()));
  return positions;
}

}  // namespace quorvane::db
