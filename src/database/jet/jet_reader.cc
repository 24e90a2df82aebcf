#include "database/jet/jet_reader.h"

#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <optional>

#include "database/database.h"
#include "database/jet/jet_field.h"
#include "database/jet/jet_page.h"
#include "database/jet/jet_row.h"
#include "database/jet/jet_text.h"

namespace quorvane::db {
namespace {

constexpr uint32_t kCatalogPage = 2;
constexpr int kCatalogTableType = 1;
constexpr uint32_t kSystemObjectFlags = 0x80000002u;
constexpr uint32_t kPageNumberMask = 0x00ffffffu;

// The iconv name of a Jet 3 file's code page; Windows-1252 unless the file
// names another Windows code page.
std::string Jet3Charset(unsigned code_page) {
  switch (code_page) {
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 1250:
    case 1251:
    case 1253:
    case 1254:
    case 1255:
    case 1256:
    case 1257:
    case 1258:
      return "CP" + std::to_string(code_page);
    default:
      return "CP1252";
  }
}

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

}  // namespace

struct JetReader::Handle {
  const std::vector<char>& bytes;
  const int jet_version;
  const JetPages pages;
  MdbHandle* mdb = nullptr;
  std::vector<std::unique_ptr<MdbCatalogEntry>> entries;
  std::map<uint32_t, MdbTableDef*> definitions;  // by definition page

  Handle(const std::vector<char>& file, int version)
      : bytes(file), jet_version(version), pages(file, version) {}
  ~Handle() {
    for (auto& [page, definition] : definitions) mdb_free_tabledef(definition);
    if (mdb) mdb_close(mdb);
  }

  // Text comes out as UTF-8 whatever the locale or the environment says.
  void UseUtf8(int jet_version) {
    mdb_iconv_close(mdb);
    std::string from = jet_version == 3 ? Jet3Charset(mdb->f->code_page) : "UTF-16LE";
    // libmdb reads the file's text through iconv_in and writes through iconv_out.
    mdb->iconv_in = iconv_open("UTF-8", from.c_str());
    mdb->iconv_out = iconv_open(from.c_str(), "UTF-8");
    if (mdb->iconv_in == reinterpret_cast<iconv_t>(-1)) {
      throw OpenError("no text conversion from " + from + " to UTF-8");
    }
  }

  // The usage map lists a table's data pages, inline as a bitmap (type 0) or
  // as the numbers of bitmap pages (type 1); libmdb follows it unchecked.
  bool UsageMapIsSound(const MdbTableDef* table) const {
    const unsigned char* map = table->usage_map;
    size_t size = table->map_sz;
    if (!map || size < 1) return false;
    if (map[0] == 0) return size >= 5;
    if (map[0] != 1) return true;  // libmdb then reads the pages in turn
    for (size_t offset = 1; offset + 4 <= size; offset += 4) {
      uint32_t page;
      std::memcpy(&page, map + offset, sizeof page);
      if (page >= pages.page_count()) return false;
    }
    return true;
  }

  // The definition of the table at `page`, with its columns; nullptr when
  // it is damaged.
  MdbTableDef* Definition(uint32_t page, const std::string& name) {
    if (auto it = definitions.find(page); it != definitions.end()) return it->second;
    if (page == 0 || page >= pages.page_count()) return nullptr;
    auto entry = std::make_unique<MdbCatalogEntry>();
    std::memset(entry.get(), 0, sizeof *entry);
    entry->mdb = mdb;
    std::strncpy(entry->object_name, name.c_str(), MDB_MAX_OBJ_NAME);
    entry->object_type = MDB_TABLE;
    entry->table_pg = page;
    MdbTableDef* table = mdb_read_table(entry.get());
    if (!table) return nullptr;
    entries.push_back(std::move(entry));
    if (!UsageMapIsSound(table) || !mdb_read_columns(table) ||
        table->columns->len != table->num_cols) {
      mdb_free_tabledef(table);
      return nullptr;
    }
    definitions[page] = table;
    return table;
  }

  // Where each column's values lie in the rows of a table.
  std::vector<JetColumnLayout> Layout(MdbTableDef* table) const {
    std::vector<JetColumnLayout> layout;
    for (guint i = 0; i < table->columns->len; ++i) {
      const MdbColumn& c = Column(table, static_cast<int>(i));
      layout.push_back({static_cast<unsigned>(c.col_num), c.is_fixed != 0, c.col_type == MDB_BOOL,
                        static_cast<size_t>(c.fixed_offset), static_cast<size_t>(c.col_size),
                        c.var_col_num});
    }
    return layout;
  }

  // Calls `row` with the fields of each row of the table in stored order:
  // data pages in the order of the usage map, rows in slot order, a moved
  // row where its first slot is.
  void ForEachRow(MdbTableDef* table, const std::function<void(const JetFieldBytes*)>& row) {
    const std::string name = table->name;
    auto damaged = [&] { return RuntimeError("Damaged row in table " + name + "."); };
    std::vector<JetColumnLayout> layout = Layout(table);
    std::vector<JetFieldBytes> fields;
    const uint32_t table_page = static_cast<uint32_t>(table->entry->table_pg);
    mdb_rewind_table(table);
    if (table->num_rows == 0) return;
    table->cur_pg_num = 1;
    for (size_t pages_read = 0; mdb_read_next_dpg(table); ++pages_read) {
      if (pages_read > pages.page_count()) {
        throw RuntimeError("Damaged page list of table " + name + ".");
      }
      const uint32_t page = table->cur_phys_pg;
      std::optional<unsigned> rows = pages.RowCount(page);
      if (!rows) throw damaged();
      for (unsigned r = 0; r < *rows; ++r) {
        std::optional<JetSlot> slot = pages.Slot(page, r);
        if (!slot) throw damaged();
        if (slot->flags & kJetRowDeleted) continue;
        std::optional<JetRowBytes> bytes = pages.RowOf(*slot, table_page);
        if (!bytes || !SplitJetRow(*bytes, jet_version, table->num_var_cols > 0, layout, fields)) {
          throw damaged();
        }
        row(fields.data());
      }
    }
  }

  const MdbColumn& Column(MdbTableDef* table, int index) const {
    return *static_cast<MdbColumn*>(g_ptr_array_index(table->columns, static_cast<guint>(index)));
  }

  Variant Value(MdbTableDef* table, int index, const JetFieldBytes& field) const {
    return DecodeJetField(mdb, pages, Column(table, index), field);
  }
};

JetReader::JetReader(const std::vector<char>& bytes, int jet_version)
    : handle_(std::make_unique<Handle>(bytes, jet_version)) {
  size_t page_size = handle_->pages.page_size();
  if (bytes.size() < 3 * page_size || bytes.size() % page_size != 0) {
    throw OpenError("the Jet file is truncated");
  }
  // libmdb only reads from the buffer; the cast is for its C interface.
  MdbHandle* mdb = mdb_open_buffer(const_cast<char*>(bytes.data()), bytes.size(), MDB_NOFLAGS);
  if (!mdb) throw OpenError("the Jet file's header cannot be read");
  handle_->mdb = mdb;
  if (static_cast<int>(mdb->f->jet_version) != (jet_version == 3 ? MDB_VER_JET3 : MDB_VER_JET4) ||
      static_cast<size_t>(mdb->fmt->pg_size) != page_size) {
    throw OpenError("the Jet file's header is inconsistent");
  }
  handle_->UseUtf8(jet_version);

  MdbTableDef* catalog = handle_->Definition(kCatalogPage, "MSysObjects");
  if (!catalog) throw OpenError("the Jet file's catalog is damaged");
  std::map<std::string, int> column;
  for (guint i = 0; i < catalog->columns->len; ++i) {
    column[FoldCase(handle_->Column(catalog, static_cast<int>(i)).name)] = static_cast<int>(i);
  }
  for (const char* needed : {"id", "name", "type", "flags"}) {
    if (!column.count(needed)) throw OpenError("the Jet file's catalog is damaged");
  }
  try {
    handle_->ForEachRow(catalog, [&](const JetFieldBytes* fields) {
      std::map<int, Variant> values;
      for (guint i = 0; i < catalog->columns->len; ++i) {
        values[static_cast<int>(i)] = handle_->Value(catalog, static_cast<int>(i), fields[i]);
      }
      const Variant& id = values[column["id"]];
      const Variant& name = values[column["name"]];
      const Variant& type = values[column["type"]];
      const Variant& flags = values[column["flags"]];
      if (!ListsUserTable(id, name, type, flags)) return;
      tables_.push_back({std::string(name.text_value()),
                         static_cast<uint32_t>(id.integer_value()) & kPageNumberMask,
                         {}});
    });
  } catch (const RuntimeError& error) {
    throw OpenError(std::string("the Jet file's catalog is damaged: ") + error.what());
  }
  for (JetTable& table : tables_) {
    MdbTableDef* definition = handle_->Definition(table.definition_page, table.name);
    if (!definition) throw OpenError("the definition of table " + table.name + " is damaged");
    for (guint i = 0; i < definition->columns->len; ++i) {
      const MdbColumn& c = handle_->Column(definition, static_cast<int>(i));
      table.columns.push_back({c.name, JetColumnType(c.col_type)});
    }
  }
}

JetReader::~JetReader() = default;

TableData JetReader::Load(const JetTable& table) {
  MdbTableDef* definition = handle_->Definition(table.definition_page, table.name);
  if (!definition) throw RuntimeError("The definition of table " + table.name + " is damaged.");
  TableData data(table.name, table.columns);
  // The row count of the definition is a hint only: a damaged file may lie.
  data.Reserve(std::min<size_t>(definition->num_rows, handle_->bytes.size() / 8));
  std::vector<Variant> row(table.columns.size());
  handle_->ForEachRow(definition, [&](const JetFieldBytes* fields) {
    for (size_t i = 0; i < row.size(); ++i) {
      row[i] = handle_->Value(definition, static_cast<int>(i), fields[i]);
    }
    data.AddRow(row);
  });
  return data;
}

}  // namespace quorvane::db
