#include "platform/line.h"

#include "platform/windows1252.h"

namespace quorvane {

Line& Line::Tab(int column) {
  size_t target = column > 1 ? static_cast<size_t>(column - 1) : 0;
  if (column_ > target) {
    text_ += "\r\n";
    column_ = 0;
  }
  text_.append(target - column_, ' ');
  column_ = target;
  return *this;
}

Line& Line::operator<<(std::string_view text) {
  text_ += text;
  size_t line_break = text.rfind('\n');
  if (line_break == std::string_view::npos) {
    column_ += CharacterCount(text);
  } else {
    column_ = CharacterCount(text.substr(line_break + 1));
  }
  return *this;
}

}  // namespace quorvane
