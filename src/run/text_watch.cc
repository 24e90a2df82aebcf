#include "run/text_watch.h"

#include <algorithm>

#include "run/run_state.h"

namespace quorvane {
namespace {

enum Kind { kLineBreak, kQuote, kUnwritable };

// True when the text at `pos` of the line stands inside a quoted string: an
// odd number of quote marks come before it.
bool InsideQuotes(std::string_view line, size_t pos) {
  return std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(pos), '"') % 2 == 1;
}

}  // namespace

void TextWatch::Clear() {
  noted_.clear();
  notes_.clear();
}

void TextWatch::Seen(const std::string& path, std::string_view line) {
  if (!run_.database) return;
  const std::vector<db::TextOfNote>& texts = run_.database->TextsOfNote();
  if (texts.empty()) return;
  std::string file =
      path.starts_with(run_.output_folder) ? path.substr(run_.output_folder.size()) : path;
  for (const db::TextOfNote& text : texts) {
    size_t pos = text.text.empty() ? std::string_view::npos : line.find(text.text);
    if (pos != std::string_view::npos) {
      if (text.line_break) {
        Note(text.origin, kLineBreak,
             file + ": the text of " + text.origin +
                 " holds a line break, which starts a new line there");
      }
      if (text.quote && InsideQuotes(line, pos)) {
        Note(text.origin, kQuote,
             file + ": the text of " + text.origin +
                 " holds a \" that ends the quoted string it is written in");
      }
    }
    // A text made into an identifier is no longer whole, but its character
    // without a Windows-1252 form still is.
    if (!text.unwritable.empty() &&
        (pos != std::string_view::npos || line.find(text.unwritable) != std::string_view::npos)) {
      Note(text.origin, kUnwritable,
           file + ": the text of " + text.origin + " holds the character " + text.unwritable +
               ", which has no Windows-1252 form and is written as ?");
    }
  }
}

void TextWatch::Note(const std::string& origin, int kind, const std::string& text) {
  if (noted_.insert({origin, kind}).second) notes_.push_back(text);
}

}  // namespace quorvane
