#include "database/texts_of_note.h"

#include "database/cell_origin.h"
#include "platform/windows1252.h"

namespace quorvane::db {

void GatherTextsOfNote(const TableData& table, std::vector<TextOfNote>& found) {
  for (size_t row = 0; row < table.row_count(); ++row) {
    for (size_t column = 0; column < table.column_count(); ++column) {
      const Variant& cell = table.Cell(row, column);
      if (cell.type() != VariantType::kString) continue;
      std::string_view text = cell.text_value();
      TextOfNote note;
      note.line_break = text.find_first_of("\r\n") != std::string::npos;
      note.quote = text.find('"') != std::string::npos;
      note.unwritable = std::string(FirstWithoutWindows1252Form(text));
      if (!note.line_break && !note.quote && note.unwritable.empty()) continue;
      note.origin = DescribeCell(table, {row, column});
      note.text = std::string(text);
      found.push_back(std::move(note));
    }
  }
}

}  // namespace quorvane::db
