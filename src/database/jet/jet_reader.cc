#include "database/jet/jet_reader.h"

#include <algorithm>
#include <optional>

#include "database/database.h"
#include "database/jet/jet_field.h"
#include "database/jet/jet_row.h"
#include "database/jet/jet_text.h"
#include "database/jet/jet_usage_map.h"

namespace quorvane::db {
namespace {

constexpr uint32_t kCatalogPage = 2;
constexpr int kCatalogTableType = 1;
constexpr uint32_t kSystemObjectFlags = 0x80000002u;
constexpr uint32_t kPageNumberMask = 0x00ffffffu;

// The catalog's numbers are Long Integers; a damaged definition may give
// its columns other types.
bool IsWholeNumber(const Variant& value) {
  return value.type() == VariantType::kByte || value.type() == VariantType::kInteger ||
         value.type() == VariantType::kLong;
}

// A catalog row that lists a user table: of the table type, without the
// flags of a system object.
bool ListsUserTable(const Variant& id, const Variant& name, const Variant& type,
                    const Variant& flags) {
  if (!name.IsString() || !IsWholeNumber(id) || !IsWholeNumber(type)) return false;
  if ((type.integer_value() & 0x7f) != kCatalogTableType) return false;
  if (flags.IsNull()) return true;
  return IsWholeNumber(flags) &&
         !(static_cast<uint32_t>(flags.integer_value()) & kSystemObjectFlags);
}

// Where each column's values lie in the rows of a table.
std::vector<JetColumnLayout> Layout(const JetTableDef& table) {
  std::vector<JetColumnLayout> layout;
  for (const JetColumn& c : table.columns) {
    layout.push_back(
        {c.number, c.is_fixed, c.type == JetType::kYesNo, c.fixed_offset, c.size, c.var_index});
  }
  return layout;
}

}  // namespace

JetReader::JetReader(JetPages pages) : pages_(std::move(pages)) {
  const uint64_t size = pages_.file_size();
  const size_t page_size = pages_.page_size();
  if (size < 3 * page_size || size % page_size != 0) {
    throw OpenError("the Jet file is truncated");
  }
  if (pages_.Page(0).empty()) throw OpenError("the Jet file cannot be read");
  header_ = ReadJetHeader(pages_.Page(0), pages_.jet_version());
  ReadCatalog();
}

void JetReader::ReadCatalog() {
  std::optional<JetTableDef> catalog = ReadJetTableDef(pages_, kCatalogPage, header_.code_page);
  if (!catalog || !JetUsageMapPages(pages_, catalog->usage_map)) {
    throw OpenError("the Jet file's catalog is damaged");
  }
  std::map<std::string, size_t> column;
  for (size_t i = 0; i < catalog->columns.size(); ++i) {
    column[FoldCase(catalog->columns[i].name)] = i;
  }
  for (const char* needed : {"id", "name", "type", "flags"}) {
    if (!column.count(needed)) throw OpenError("the Jet file's catalog is damaged");
  }
  auto value = [&](const JetFieldBytes* fields, const char* name) {
    size_t i = column[name];
    return DecodeJetField(pages_, catalog->columns[i], fields[i], header_.code_page);
  };
  try {
    ForEachRow(*catalog, "MSysObjects", [&](const JetFieldBytes* fields) {
      Variant id = value(fields, "id");
      Variant name = value(fields, "name");
      if (!ListsUserTable(id, name, value(fields, "type"), value(fields, "flags"))) return;
      tables_.push_back({std::string(name.text_value()),
                         static_cast<uint32_t>(id.integer_value()) & kPageNumberMask,
                         {}});
    });
  } catch (const RuntimeError& error) {
    throw OpenError(std::string("the Jet file's catalog is damaged: ") + error.what());
  } catch (const JetOutOfBounds&) {
    throw OpenError("the Jet file's catalog is damaged");
  }
  for (JetTable& table : tables_) {
    auto [at, inserted] = definitions_.try_emplace(table.definition_page);
    if (inserted) {
      std::optional<JetTableDef> definition =
          ReadJetTableDef(pages_, table.definition_page, header_.code_page);
      if (!definition || !JetUsageMapPages(pages_, definition->usage_map)) {
        throw OpenError("the definition of table " + table.name + " is damaged");
      }
      at->second = std::move(*definition);
    }
    for (const JetColumn& c : at->second.columns) {
      table.columns.push_back({c.name, JetColumnType(c.type)});
    }
  }
}

template <typename RowFunction>
void JetReader::ForEachRow(const JetTableDef& table, const std::string& name,
                           RowFunction row) const {
  auto damaged = [&] { return RuntimeError("Damaged row in table " + name + "."); };
  if (table.row_count == 0) return;
  std::optional<std::vector<uint32_t>> data_pages = JetUsageMapPages(pages_, table.usage_map);
  if (!data_pages) throw RuntimeError("Damaged page list of table " + name + ".");
  std::vector<JetColumnLayout> layout = Layout(table);
  std::vector<JetFieldBytes> fields;
  for (uint32_t page : *data_pages) {
    // The map may mark pages of other kinds; only the table's data pages hold
    // its rows. A page that cannot be read may have held some.
    JetBytes bytes = pages_.Page(page);
    if (bytes.empty()) throw damaged();
    if (bytes.U8(0) != kJetDataPage || pages_.Owner(page) != table.page) continue;
    std::optional<unsigned> rows = pages_.RowCount(page);
    if (!rows) throw damaged();
    for (unsigned r = 0; r < *rows; ++r) {
      std::optional<JetSlot> slot = pages_.Slot(page, r);
      if (!slot) throw damaged();
      if (slot->flags & kJetRowDeleted) continue;
      std::optional<JetRowBytes> bytes_of_row = pages_.RowOf(*slot, table.page);
      try {
        if (!bytes_of_row || !SplitJetRow(*bytes_of_row, pages_.jet_version(),
                                          table.var_columns > 0, layout, fields)) {
          throw damaged();
        }
      } catch (const JetOutOfBounds&) {
        throw damaged();
      }
      row(fields.data());
    }
  }
}

const JetTableDef& JetReader::Definition(const JetTable& table) const {
  auto found = definitions_.find(table.definition_page);
  if (found == definitions_.end()) {
    throw RuntimeError("The definition of table " + table.name + " is damaged.");
  }
  return found->second;
}

void JetReader::ReadRows(const JetTable& table,
                         const std::function<void(std::span<Variant>)>& row) const {
  const JetTableDef& definition = Definition(table);
  std::vector<Variant> values(table.columns.size());
  ForEachRow(definition, table.name, [&](const JetFieldBytes* fields) {
    try {
      for (size_t i = 0; i < values.size(); ++i) {
        values[i] = DecodeJetField(pages_, definition.columns[i], fields[i], header_.code_page);
      }
    } catch (const JetOutOfBounds&) {
      throw RuntimeError("Damaged row in table " + table.name + ".");
    }
    row(values);
  });
}

TableData JetReader::Load(const JetTable& table) const {
  TableData data(table.name, table.columns);
  // The row count of the definition is a hint only: a damaged file may lie.
  data.Reserve(
      static_cast<size_t>(std::min<uint64_t>(Definition(table).row_count, pages_.file_size() / 8)));
  ReadRows(table, [&](std::span<Variant> values) { data.AddRow(values); });
  return data;
}

}  // namespace quorvane::db
